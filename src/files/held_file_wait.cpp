#include "held_file_wait.h"

#if defined(_WIN32)

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace ordalis {
namespace {

// Access denied may be a moment's hold (a file a scanner is deleting, or
// opened without sharing delete) only on a file that is there and writable;
// on a folder, a read-only file or a missing one it lasts.
bool MayBeHeld(const std::wstring& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

}  // namespace

bool IsHeldError(unsigned long error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

unsigned long WaitOutHold(const std::wstring& file, const std::function<unsigned long()>& attempt) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + kHeldFileWait;
  std::chrono::milliseconds pause{0};
  for (;;) {
    const unsigned long error = attempt();
    const bool worth_waiting =
        IsHeldError(error) || (error == ERROR_ACCESS_DENIED && MayBeHeld(file));
    if (!worth_waiting || Clock::now() >= deadline) return error;
    pause = std::min(pause + std::chrono::milliseconds(10), std::chrono::milliseconds(100));
    std::this_thread::sleep_for(pause);
  }
}

int ErrnoOf(unsigned long error) {
  switch (error) {
    case ERROR_SUCCESS:
      return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EBUSY;
    case ERROR_ACCESS_DENIED:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

}  // namespace ordalis

#endif
