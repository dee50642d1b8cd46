#include "file_reading.h"

#include <csignal>
#include <filesystem>

#include "file_system.h"
#include "names.h"

namespace ordalis {

namespace fs = std::filesystem;

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

Status OpenForReading(const std::string& path, std::FILE** file) {
  *file = nullptr;
  const fs::file_status status = StatusOf(PathOf(path));
  if (!fs::exists(status))
    return Status::Error(Status::Code::kNotFound, "cannot read " + Quoted(path) + ": no such file");
  if (fs::is_directory(status))
    return Status::Error(Status::Code::kFolder, "cannot read " + Quoted(path) + ": it is a folder");
  if (!fs::is_regular_file(status)) {
    return Status::Error("cannot read " + Quoted(path) + ": not a regular file");
  }
  SystemError error;
  *file = OpenFile(path, "rb", &error);
  if (*file == nullptr) {
    if (error.held)
      return Status::Error(Status::Code::kInUse,
                           InUseMessage("read", path));  // Held past the wait.
    return Status::Error(ReadErrorMessage(Quoted(path), error));
  }
  return Status::Ok();
}

std::string InUseMessage(std::string_view action, const std::string& name) {
  return "cannot " + std::string(action) + " " + Quoted(name) +
         ": it is in use by another program; close it there and try again";
}

std::string ReadErrorMessage(const std::string& what, const SystemError& error) {
  return "cannot read " + what + ": " + ReasonOf(error);
}

void IgnoreFileSizeLimitSignal() {
#if defined(SIGXFSZ)
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace ordalis
