// What the program asks of a POSIX system for its files.
#include "files/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "files/names.h"

namespace ordalis {
std::FILE* OpenFile(const std::string& name, const char* mode, SystemError* error) {
  std::FILE* file = std::fopen(name.c_str(), mode);
  if (file == nullptr) *error = SystemError::FromErrno();
  return file;
}

std::size_t ReadBytes(std::FILE* file, char* buffer, std::size_t size, SystemError* error) {
  const std::size_t got = std::fread(buffer, 1, size, file);
  if (std::ferror(file)) {
    *error = SystemError::FromErrno();
    return 0;
  }
  return got;
}

SystemError WriteBytes(std::FILE* file, std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
    return SystemError::FromErrno();
  return {};
}

SystemError FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0 || fsync(fileno(file)) != 0) return SystemError::FromErrno();
  return {};
}

std::uintmax_t SizeOf(std::FILE* file) {
  struct stat info {};
  const long long size = fstat(fileno(file), &info) == 0 ? info.st_size : -1;
  return size > 0 ? static_cast<std::uintmax_t>(size) : 0;
}

std::filesystem::file_status StatusOf(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::status(path, ec);
}

std::optional<std::filesystem::path> LinkTarget(const std::filesystem::path& path,
                                                SystemError* error) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return std::nullopt;
  std::filesystem::path target = std::filesystem::read_symlink(path, ec);
  if (ec) {
    *error = SystemError{ec.value()};
    return std::nullopt;
  }
  return target;
}

NameProblem ProblemWithName(const std::filesystem::path&) { return NameProblem::kNone; }

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

bool IsHeldByAnotherProgram(const std::filesystem::path&) { return false; }

SystemError MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return SystemError::FromErrno();
  return {};
}

SystemError SyncFolder(const std::filesystem::path& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno == EACCES || errno == EPERM ? SystemError{} : SystemError::FromErrno();
  SystemError error;
  if (fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP && errno != EOPNOTSUPP) {
    error = SystemError::FromErrno();
  }
  close(fd);
  return error;
}

std::string ReasonOf(const SystemError& error) {
  return error.errno_value != 0 ? std::string(std::strerror(error.errno_value))
                                : "input/output error";
}

}  // namespace ordalis
