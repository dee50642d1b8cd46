// Plays another program holding a file, as a virus scanner or a sync client
// does: opens FILE for reading, sharing it as told ("all" also asks for
// delete access, as a reader that lets the file be deleted does), says
// "holding" on
// standard output, starts PROGRAM if given, lets the file go after
// MILLISECONDS (or when PROGRAM ends, for "forever"), and exits with
// PROGRAM's exit code. Says on standard error how long PROGRAM ran.
// Usage: hold_file FILE none|read|all MILLISECONDS|forever [PROGRAM [ARGUMENT...]]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "window/logic/windows_command_line.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || (argc == 4 && std::wcscmp(argv[3], L"forever") == 0)) {
    std::fputs("usage: hold_file FILE none|read|all MILLISECONDS|forever [PROGRAM [ARGUMENT...]]\n",
               stderr);
    return 2;
  }
  const bool all = std::wcscmp(argv[2], L"all") == 0;
  const DWORD sharing = all ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                        : std::wcscmp(argv[2], L"read") == 0 ? FILE_SHARE_READ
                                                             : 0;
  const DWORD access = all ? GENERIC_READ | DELETE : GENERIC_READ;
  const bool forever = std::wcscmp(argv[3], L"forever") == 0;
  HANDLE held = CreateFileW(argv[1], access, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
  if (held == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "hold_file: cannot open the file to hold (error %lu)\n", GetLastError());
    return 2;
  }
  std::puts("holding");
  std::fflush(stdout);
  if (argc == 4) {
    Sleep(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
    return 0;
  }
  std::wstring command_line;
  for (int i = 4; i < argc; ++i) command_line += ordalis::QuoteArgument(argv[i]) + L" ";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const ULONGLONG started = GetTickCount64();
  if (!CreateProcessW(argv[4], command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "hold_file: cannot start the program (error %lu)\n", GetLastError());
    return 2;
  }
  if (!forever) {
    Sleep(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
    CloseHandle(held);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  std::fprintf(stderr, "hold_file: the program ran for %llu ms\n", GetTickCount64() - started);
  DWORD exit_code = 2;
  GetExitCodeProcess(process.hProcess, &exit_code);
  if (forever) CloseHandle(held);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(exit_code);
}
