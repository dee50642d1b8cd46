// What the program asks of Windows for its files. Every file is named to
// Windows by its \\?\ form (LongPathOf), and asked of Windows itself: the C
// library's stat refuses such names on Windows, and its error numbers lose
// what Windows said.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "files/file_identity.h"
#include "files/file_system.h"
#include "files/names.h"
#include "text/wide_text.h"
#include "windows_files.h"

// ntdll's status of the last system call, which GetLastError folds away:
// a file pending deletion reads as access denied there.
extern "C" NTSYSAPI LONG NTAPI RtlGetLastNtStatus(void);

namespace ordalis {
namespace {

constexpr LONG kStatusDeletePending = static_cast<LONG>(0xC0000056);
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring WindowsNameOf(const std::filesystem::path& path) { return LongPathOf(path.native()); }

// The last error of the call just made, and the step's failure it means.
struct Failed {
  DWORD code = 0;
  StepFailure failure = StepFailure::kNone;
};

Failed LastFailure() {
  const DWORD code = GetLastError();
  const LONG status = RtlGetLastNtStatus();
  return {code, StepFailureOf(code, status)};
}

// What is at `windows_name`, as a wait needs to know it. Windows reports a
// file on its way out as access denied to GetFileAttributesW itself.
FileState FileStateOf(const std::wstring& windows_name) {
  const DWORD attributes = GetFileAttributesW(windows_name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return GetLastError() == ERROR_ACCESS_DENIED ? FileState::kDeletePending : FileState::kMissing;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return FileState::kFolder;
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return FileState::kReadOnly;
  return FileState::kWritable;
}

// Runs `call`, which returns false on failure, as a step of `kind` on the
// file `windows_name`, waiting out a hold. Returns Windows' last error (0
// for success), held when another program kept the file past the wait.
template <typename Call>
SystemError WaitOut(StepKind kind, const std::wstring& windows_name, Call call) {
  DWORD code = 0;
  const HoldOutcome outcome = WaitOutHold(
      kind,
      [&] {
        if (call()) {
          code = 0;
          return StepFailure::kNone;
        }
        const Failed failed = LastFailure();
        code = failed.code;
        return failed.failure;
      },
      [&] { return FileStateOf(windows_name); });
  SystemError error = SystemErrorOf(code);
  error.held = outcome.held;
  return error;
}

HANDLE HandleOf(std::FILE* file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

// The name of the open `file` as Windows finally reaches it, in the letter
// case Windows compares names in; empty where Windows cannot say.
std::wstring FinalNameOf(HANDLE file) {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(
        file, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(length + 1);
  }
  // Upper case keeps the length; the source and the result are two buffers.
  std::wstring folded(name.size(), L'\0');
  const int size = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.c_str(),
                                 static_cast<int>(name.size()), folded.data(),
                                 static_cast<int>(folded.size()), nullptr, nullptr, 0);
  return size > 0 ? folded.substr(0, static_cast<std::size_t>(size)) : std::wstring();
}

// The identity of the file at `name`, which holds for every name it has.
bool IdentityOf(const std::string& name, FileIdentity* identity) {
  // No access asked: nobody's hold on the file can stand in the way.
  const HANDLE file = CreateFileW(WindowsNameOf(PathOf(name)).c_str(), 0, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool known = false;
  FILE_ID_INFO id_info{};
  if (GetFileInformationByHandleEx(file, FileIdInfo, &id_info, sizeof id_info)) {
    identity->volume = id_info.VolumeSerialNumber;
    std::memcpy(identity->id.data(), id_info.FileId.Identifier, identity->id.size());
    known = true;
  } else {
    // Before Windows 8 and on some file systems: the 64-bit index alone.
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file, &info)) {
      identity->volume = info.dwVolumeSerialNumber;
      const std::uint64_t index =
          (std::uint64_t{info.nFileIndexHigh} << 32) | std::uint64_t{info.nFileIndexLow};
      std::memcpy(identity->id.data(), &index, sizeof index);
      known = true;
    }
  }
  if (known && HasNoId(*identity)) identity->final_name = FinalNameOf(file);
  CloseHandle(file);
  return known;
}

// A symbolic link's reparse data, as Windows documents REPARSE_DATA_BUFFER
// for IO_REPARSE_TAG_SYMLINK.
struct SymbolicLinkData {
  ULONG tag;
  USHORT data_length;
  USHORT reserved;
  USHORT substitute_offset;
  USHORT substitute_length;
  USHORT print_offset;
  USHORT print_length;
  ULONG flags;
  WCHAR names[1];
};

}  // namespace

StepFailure StepFailureOf(unsigned long code, long nt_status) {
  switch (code) {
    case ERROR_SUCCESS:
      return StepFailure::kNone;
    case ERROR_SHARING_VIOLATION:
      return StepFailure::kSharingViolation;
    case ERROR_LOCK_VIOLATION:
      return StepFailure::kLockViolation;
    case ERROR_DELETE_PENDING:
      return StepFailure::kDeletePending;
    case ERROR_ACCESS_DENIED:
      return nt_status == kStatusDeletePending ? StepFailure::kDeletePending
                                               : StepFailure::kAccessDenied;
    default:
      return StepFailure::kOther;
  }
}

SystemError SystemErrorOf(unsigned long code) {
  switch (code) {
    case ERROR_SUCCESS:
      return {};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return {ENOENT};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return {EBUSY, 0, true};
    case ERROR_ACCESS_DENIED:
      return {EACCES};
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return {EEXIST};
    case ERROR_WRITE_PROTECT:
      return {EROFS};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return {ENOSPC};
    default:
      return {EIO, code};
  }
}

std::string WindowsMessageOf(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message(text != nullptr ? text : L"", length);
  LocalFree(text);
  // The sentence goes after a colon in the program's message.
  while (!message.empty() &&
         (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ' ||
          message.back() == L'.' || message.back() == L'\x3002')) {
    message.pop_back();
  }
  if (message.empty()) return "Windows error " + std::to_string(code);
  return Utf8FromWide(message);
}

std::string ReasonOf(const SystemError& error) {
  if (error.system_code != 0) return WindowsMessageOf(error.system_code);
  return error.errno_value != 0 ? std::string(std::strerror(error.errno_value))
                                : "input/output error";
}

std::FILE* OpenFile(const std::string& name, const char* mode, SystemError* error) {
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
  const std::wstring path = WindowsNameOf(PathOf(name));
  HANDLE file = INVALID_HANDLE_VALUE;
  const SystemError failed = WaitOut(StepKind::kOpen, path, [&] {
    file = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    return file != INVALID_HANDLE_VALUE;
  });
  if (file == INVALID_HANDLE_VALUE) {
    *error = failed;
    return nullptr;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(file), flags);
  if (descriptor == -1) {
    CloseHandle(file);
    *error = SystemError{EMFILE};
    return nullptr;
  }
  std::FILE* stream = _fdopen(descriptor, stream_mode);
  if (stream == nullptr) {
    _close(descriptor);
    *error = SystemError{EMFILE};
  }
  return stream;
}

// Reading and writing go to the handle itself, so that a failure keeps
// Windows' own code; the stream's buffer is never used.
std::size_t ReadBytes(std::FILE* file, char* buffer, std::size_t size, SystemError* error) {
  DWORD got = 0;
  const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  if (!ReadFile(HandleOf(file), buffer, wanted, &got, nullptr)) {
    const DWORD code = GetLastError();
    if (code == ERROR_HANDLE_EOF || code == ERROR_BROKEN_PIPE) return 0;
    *error = SystemErrorOf(code);
    return 0;
  }
  return got;
}

SystemError WriteBytes(std::FILE* file, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(HandleOf(file), bytes.data(), wanted, &written, nullptr)) {
      return SystemErrorOf(GetLastError());
    }
    bytes.remove_prefix(written);
  }
  return {};
}

SystemError FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return SystemError::FromErrno();
  if (!FlushFileBuffers(HandleOf(file))) return SystemErrorOf(GetLastError());
  return {};
}

std::uintmax_t SizeOf(std::FILE* file) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(HandleOf(file), &size) || size.QuadPart < 0) return 0;
  return static_cast<std::uintmax_t>(size.QuadPart);
}

std::filesystem::file_status StatusOf(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  const std::wstring name = WindowsNameOf(path);
  if (IsDevicePath(name)) return fs::file_status(fs::file_type::character);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) {
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

std::optional<std::filesystem::path> LinkTarget(const std::filesystem::path& path,
                                                SystemError* error) {
  const std::wstring name = WindowsNameOf(path);
  if (IsDevicePath(name)) return std::nullopt;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(name.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 ||
      found.dwReserved0 != IO_REPARSE_TAG_SYMLINK) {
    return std::nullopt;  // A junction or a cloud file is the folder or file it stands for.
  }
  const HANDLE link =
      CreateFileW(name.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (link == INVALID_HANDLE_VALUE) {
    *error = SystemErrorOf(GetLastError());
    return std::nullopt;
  }
  std::vector<std::uint8_t> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
  DWORD got = 0;
  const bool read = DeviceIoControl(link, FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                                    static_cast<DWORD>(buffer.size()), &got, nullptr) != 0;
  const DWORD code = GetLastError();
  CloseHandle(link);
  const auto* data = reinterpret_cast<const SymbolicLinkData*>(buffer.data());
  if (!read || got < offsetof(SymbolicLinkData, names) || data->tag != IO_REPARSE_TAG_SYMLINK) {
    *error = read ? SystemError{EINVAL} : SystemErrorOf(code);
    return std::nullopt;
  }
  // The name the link shows its user; the name the system takes ("\??\C:\...")
  // where it shows none.
  const auto text = [&](USHORT offset, USHORT length) {
    return std::wstring(data->names + offset / sizeof(WCHAR), length / sizeof(WCHAR));
  };
  std::wstring target = text(data->print_offset, data->print_length);
  if (target.empty()) {
    target = text(data->substitute_offset, data->substitute_length);
    if (target.starts_with(L"\\??\\")) target.replace(0, 4, L"\\\\?\\");
  }
  return std::filesystem::path(target);
}

NameProblem ProblemWithName(const std::filesystem::path& path) {
  const std::wstring name = WindowsNameOf(path);
  if (IsDevicePath(name)) return NameProblem::kDevice;
  // A colon in the last part, past the drive's, names a stream of a file.
  const std::wstring_view last_part = std::wstring_view(name).substr(name.find_last_of(L'\\') + 1);
  if (last_part.find(L':') != std::wstring_view::npos) return NameProblem::kStream;
  return NameProblem::kNone;
}

bool RemoveFile(const std::filesystem::path& path) {
  const std::wstring name = WindowsNameOf(path);
  const SystemError error =
      WaitOut(StepKind::kMoveOrDelete, name, [&] { return DeleteFileW(name.c_str()) != 0; });
  return !error.failed() || error.errno_value == ENOENT;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  FileIdentity first;
  FileIdentity second;
  return IdentityOf(a, &first) && IdentityOf(b, &second) && IsSameIdentity(first, second);
}

bool IsHeldByAnotherProgram(const std::filesystem::path& path) {
  const std::wstring name = WindowsNameOf(path);
  // Asks for what replacing the file needs, DELETE, and shares everything:
  // only a holder that will not share that makes this fail with a sharing
  // violation.
  return WaitOut(StepKind::kOpen, name,
                 [&] {
                   const HANDLE file = CreateFileW(name.c_str(), DELETE, kShareAll, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                   if (file == INVALID_HANDLE_VALUE) return false;
                   CloseHandle(file);
                   return true;
                 })
      .held;
}

SystemError MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
  const std::wstring source = WindowsNameOf(from);
  const std::wstring target = WindowsNameOf(to);
  // A scanner may be looking at the new file, or another program at the old.
  // Access denied on a writable target that passed the in-use check is a
  // reader that shares delete, or a mapping of the file: held, too.
  return WaitOut(StepKind::kMoveOrDelete, target, [&] {
    return MoveFileExW(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  });
}

// Windows gives a program no call to make a folder's entries durable:
// FlushFileBuffers takes a file or a whole volume (for an administrator
// only), and MOVEFILE_WRITE_THROUGH is documented to wait only for a move
// done as a copy and a delete, across volumes. A rename within a folder is
// recorded in the file system's own journal, which Windows writes out in its
// own time; nothing more can be asked of it here.
SystemError SyncFolder(const std::filesystem::path&) { return {}; }

}  // namespace ordalis
