// Stands in for the text viewers Ordalis starts after a sort, on Windows:
// records how it was called in "<its own path>.args", in UTF-8: the raw
// command line, the number of arguments CommandLineToArgvW finds after the
// program's name, then each of them, one a line.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  bytes.pop_back();  // The terminator.
  return bytes;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const wchar_t* const command_line = GetCommandLineW();
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(command_line, &count);
  if (arguments == nullptr) return 1;
  std::string record = Utf8(command_line) + "\n" + std::to_string(count - 1) + "\n";
  for (int i = 1; i < count; ++i) record += Utf8(arguments[i]) + "\n";
  LocalFree(arguments);

  wchar_t self[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4) return 1;
  // Written beside, then renamed into place: a reader never sees half a record.
  const std::wstring name = std::wstring(self, length) + L".args";
  const std::wstring partial = name + L".partial";
  const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || written != record.size()) return 1;
  return MoveFileExW(partial.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
