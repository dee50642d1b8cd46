#include "file_reading.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "native_path.h"

namespace ordalis {

namespace fs = std::filesystem;

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string ErrnoReason(int error) {
  return error != 0 ? std::string(std::strerror(error)) : "input/output error";
}

Status OpenForReading(const std::string& path, std::FILE** file) {
  *file = nullptr;
  std::error_code ec;
  const fs::file_status status = fs::status(PathOf(path), ec);
  if (!fs::exists(status)) return Status::Error("cannot read " + Quoted(path) + ": no such file");
  if (fs::is_directory(status))
    return Status::Error("cannot read " + Quoted(path) + ": it is a folder");
  if (!fs::is_regular_file(status)) {
    return Status::Error("cannot read " + Quoted(path) + ": not a regular file");
  }
  *file = OpenFile(path, "rb");
  if (*file == nullptr) return Status::Error(ReadErrorMessage(Quoted(path), errno));
  return Status::Ok();
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
