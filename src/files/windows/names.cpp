// Names on Windows: UTF-8 in the program, UTF-16 at the system's door.
#include <windows.h>

#include "files/names.h"
#include "text/wide_text.h"
#include "windows_files.h"

namespace ordalis {
namespace {

bool IsLongOrDevice(std::wstring_view name) {
  return name.starts_with(L"\\\\?\\") || name.starts_with(L"\\\\.\\");
}

}  // namespace

std::filesystem::path PathOf(std::string_view name) {
  return std::filesystem::path(WideFromUtf8(name));
}

std::string NameOf(const std::filesystem::path& path) { return Utf8FromWide(path.native()); }

std::wstring LongPathOf(std::wstring_view name) {
  const std::wstring given(name);
  if (IsLongOrDevice(given)) return given;
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return given;  // Refused: the call that gets this name will say why.
    if (length < full.size()) {
      full.resize(length);
      break;
    }
    full.resize(length);  // The size needed, its terminator included.
  }
  if (IsLongOrDevice(full)) return full;  // A device comes back as \\.\NAME.
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool IsDevicePath(std::wstring_view windows_name) { return windows_name.starts_with(L"\\\\.\\"); }

}  // namespace ordalis
