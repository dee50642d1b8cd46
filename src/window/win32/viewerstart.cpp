#include "viewerstart.h"

#include <windows.h>

#include "files/windows/windows_files.h"
#include "window/logic/windows_command_line.h"

namespace ordalis {
namespace {

// The name CreateProcessW can start `program` by: it refuses a plain name of
// MAX_PATH characters or more, so such a program is named by its short
// (8.3) form where that is shorter, and by its \\?\ form where the volume
// keeps no short names (new volumes since Windows 8) or the short form is
// still too long.
std::wstring StartableName(const std::wstring& program) {
  if (program.size() < MAX_PATH) return program;
  const std::wstring long_name = LongPathOf(program);
  std::wstring short_name(long_name.size() + 1, L'\0');
  const DWORD length = GetShortPathNameW(long_name.c_str(), short_name.data(),
                                         static_cast<DWORD>(short_name.size()));
  if (length == 0 || length >= short_name.size()) return long_name;
  short_name.resize(length);
  if (short_name.starts_with(L"\\\\?\\UNC\\")) short_name = L"\\" + short_name.substr(7);
  if (short_name.starts_with(L"\\\\?\\")) short_name = short_name.substr(4);
  return short_name.size() < MAX_PATH ? short_name : long_name;
}

}  // namespace

bool StartViewer(const std::wstring& program, const std::wstring& argument) {
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring command_line = QuoteArgument(program) + L" " + QuoteArgument(argument);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  const std::wstring startable = StartableName(program);
  if (!CreateProcessW(startable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  // The viewer may bring its window to the front although we hold it now.
  AllowSetForegroundWindow(process.dwProcessId);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace ordalis
