#include "native_path.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "held_file_wait.h"
#include "text/wide_text.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace ordalis {
bool IsWindowsDeviceName(std::string_view file_name) {
  std::string stem(file_name.substr(0, file_name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();  // Windows drops them.
  for (char& c : stem) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

#if defined(_WIN32)

namespace {

// The identity of the file at `name`, which holds for every name it has.
bool FileIdentity(const std::string& name, BY_HANDLE_FILE_INFORMATION* info) {
  // No access asked: nobody's hold on the file can stand in the way.
  const HANDLE file = CreateFileW(LongPathOf(PathOf(name).native()).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool known = GetFileInformationByHandle(file, info) != 0;
  CloseHandle(file);
  return known;
}

}  // namespace

std::filesystem::path PathOf(std::string_view name) {
  const std::u16string wide = Utf16FromUtf8(name);
  return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
}

std::string NameOf(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  return Utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

std::wstring LongPathOf(std::wstring_view name) {
  const std::wstring given(name);
  if (given.starts_with(L"\\\\?\\") || given.starts_with(L"\\\\.\\")) return given;
  if (IsWindowsDeviceName(NameOf(std::filesystem::path(given).filename()))) return given;
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
  if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) return full;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
  // What each mode asks of CreateFileW, and the C library's view of the handle.
  const std::string_view wanted(mode);
  DWORD access = GENERIC_READ;
  DWORD creation = OPEN_EXISTING;
  int flags = _O_RDONLY | _O_BINARY;
  const char* stream_mode = "rb";
  if (wanted.starts_with('w')) {
    access = GENERIC_WRITE;
    creation = wanted.find('x') != std::string_view::npos ? CREATE_NEW : CREATE_ALWAYS;
    flags = _O_WRONLY | _O_BINARY;
    stream_mode = "wb";
  } else if (wanted.starts_with('a')) {
    access = FILE_APPEND_DATA;
    creation = OPEN_ALWAYS;
    flags = _O_WRONLY | _O_APPEND | _O_BINARY;
    stream_mode = "ab";
  }
  const std::wstring path = LongPathOf(PathOf(name).native());
  HANDLE file = INVALID_HANDLE_VALUE;
  const unsigned long error = WaitOutHold(path, [&] {
    file = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? GetLastError() : 0ul;
  });
  if (file == INVALID_HANDLE_VALUE) {
    errno = ErrnoOf(error);
    return nullptr;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(file), flags);
  if (descriptor == -1) {
    CloseHandle(file);
    return nullptr;
  }
  std::FILE* stream = _fdopen(descriptor, stream_mode);
  if (stream == nullptr) _close(descriptor);
  return stream;
}

std::filesystem::file_status StatusOf(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  if (IsWindowsDeviceName(NameOf(path.filename())))
    return fs::file_status(fs::file_type::character);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(LongPathOf(path.native()).c_str(), GetFileExInfoStandard, &data)) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return fs::file_status(missing ? fs::file_type::not_found : fs::file_type::none);
  }
  // Windows has one permission of its own, read-only, which is for everybody.
  constexpr fs::perms kRead =
      fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  constexpr fs::perms kWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  const bool read_only = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return fs::file_status((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                             ? fs::file_type::directory
                             : fs::file_type::regular,
                         read_only ? kRead : kRead | kWrite);
}

bool RemoveFile(const std::filesystem::path& path) {
  const std::wstring name = LongPathOf(path.native());
  const unsigned long error =
      WaitOutHold(name, [&] { return DeleteFileW(name.c_str()) ? 0ul : GetLastError(); });
  return error == 0 || error == ERROR_FILE_NOT_FOUND;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  BY_HANDLE_FILE_INFORMATION first;
  BY_HANDLE_FILE_INFORMATION second;
  return FileIdentity(a, &first) && FileIdentity(b, &second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

#else

std::filesystem::path PathOf(std::string_view name) { return std::filesystem::path(name); }

std::string NameOf(const std::filesystem::path& path) { return path.native(); }

std::FILE* OpenFile(const std::string& name, const char* mode) {
  return std::fopen(name.c_str(), mode);
}

std::filesystem::file_status StatusOf(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::status(path, ec);
}

bool RemoveFile(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  return !ec;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code ec;
  return std::filesystem::equivalent(PathOf(a), PathOf(b), ec) && !ec;
}

#endif

}  // namespace ordalis
