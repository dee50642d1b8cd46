#include "durable_rename.h"

#include <cerrno>
#include <cstdio>

#if defined(_WIN32)
#include <windows.h>

#include "held_file_wait.h"
#include "native_path.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace ordalis {

#if defined(_WIN32)

int MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
  const std::wstring source = LongPathOf(from.native());
  const std::wstring target = LongPathOf(to.native());
  // A scanner may be looking at the new file, or another program at the old.
  return ErrnoOf(WaitOutHold(target, [&] {
    return MoveFileExW(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0ul
               : GetLastError();
  }));
}

bool IsHeldByAnotherProgram(const std::filesystem::path& path) {
  const std::wstring name = LongPathOf(path.native());
  // Asks for what replacing the file needs, DELETE, and shares everything:
  // only a holder that will not share that makes this fail with a sharing
  // violation.
  const unsigned long error = WaitOutHold(name, [&] {
    const HANDLE file =
        CreateFileW(name.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(file);
    return 0ul;
  });
  return IsHeldError(error);
}

// MOVEFILE_WRITE_THROUGH has already flushed the move.
int SyncFolder(const std::filesystem::path&) { return 0; }

#else

int MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

bool IsHeldByAnotherProgram(const std::filesystem::path&) { return false; }

int SyncFolder(const std::filesystem::path& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno == EACCES || errno == EPERM ? 0 : errno;
  int error = 0;
  if (fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP && errno != EOPNOTSUPP) error = errno;
  close(fd);
  return error;
}

#endif

}  // namespace ordalis
