#include "viewerstart.h"

#include <windows.h>

#include "window/logic/windows_command_line.h"

namespace ordalis {

bool StartViewer(const std::wstring& program, const std::wstring& argument) {
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring command_line = QuoteArgument(program) + L" " + QuoteArgument(argument);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
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
