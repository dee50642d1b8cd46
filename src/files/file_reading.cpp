#include "file_reading.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "native_path.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <sys/stat.h>
#endif

namespace ordalis {

namespace fs = std::filesystem;

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string ErrnoReason(int error) {
  return error != 0 ? std::string(std::strerror(error)) : "input/output error";
}

Status OpenForReading(const std::string& path, std::FILE** file) {
  *file = nullptr;
  const fs::file_status status = StatusOf(PathOf(path));
  if (!fs::exists(status)) return Status::Error("cannot read " + Quoted(path) + ": no such file");
  if (fs::is_directory(status))
    return Status::Error("cannot read " + Quoted(path) + ": it is a folder");
  if (!fs::is_regular_file(status)) {
    return Status::Error("cannot read " + Quoted(path) + ": not a regular file");
  }
  *file = OpenFile(path, "rb");
  if (*file == nullptr) {
    if (errno == EBUSY) return Status::Error(InUseMessage("read", path));  // Held past the wait.
    return Status::Error(ReadErrorMessage(Quoted(path), errno));
  }
  return Status::Ok();
}

std::string InUseMessage(std::string_view action, const std::string& name) {
  return "cannot " + std::string(action) + " " + Quoted(name) +
         ": it is in use by another program; close it there and try again";
}

std::uintmax_t SizeOf(std::FILE* file) {
#if defined(_WIN32)
  const long long size = _filelengthi64(_fileno(file));
#else
  struct stat info {};
  const long long size = fstat(fileno(file), &info) == 0 ? info.st_size : -1;
#endif
  return size > 0 ? static_cast<std::uintmax_t>(size) : 0;
}

std::string ReadErrorMessage(const std::string& what, int error) {
  return "cannot read " + what + ": " + ErrnoReason(error);
}

void IgnoreFileSizeLimitSignal() {
#if defined(SIGXFSZ)
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace ordalis
