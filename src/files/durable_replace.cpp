#include "durable_replace.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <system_error>

#include "file_reading.h"
#include "file_system.h"
#include "names.h"

namespace ordalis {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) { return ordalis::Quoted(NameOf(path)); }

// Follows a chain of symbolic links to the name of the file they lead to,
// which need not exist yet.
Status ResolveLinks(const fs::path& path, fs::path* resolved) {
  fs::path current = path;
  for (int hops = 0; hops < 40; ++hops) {
    SystemError error;
    const std::optional<fs::path> link = LinkTarget(current, &error);
    if (error.failed()) {
      return Status::Error("cannot follow the link " + Quoted(current) + ": " + ReasonOf(error));
    }
    if (!link) {
      *resolved = current;
      return Status::Ok();
    }
    current = link->is_absolute() ? *link : current.parent_path() / *link;
  }
  return Status::Error("too many levels of links at " + Quoted(path));
}

// Creates a new, empty temporary file in `directory`; never opens an existing one.
std::FILE* CreateTemporaryFile(const fs::path& directory, const fs::path& stem, fs::path* temp_path,
                               SystemError* error) {
  static std::mt19937_64 generator{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path name = ".";
    name += stem;
    name += ".tmp-" + std::to_string(generator() % 1000000000);
    *temp_path = directory / name;
    if (std::FILE* file = OpenFile(NameOf(*temp_path), "wbx", error)) return file;
    if (error->errno_value != EEXIST) return nullptr;
  }
  return nullptr;
}

// Writes each line and its line end in large blocks: a call to fwrite per
// short line would cost more than the copying.
SystemError WriteBlocks(std::span<const std::string_view> lines, std::string_view line_end,
                        std::FILE* file) {
  constexpr std::size_t kBlock = 1 << 16;
  std::string block;
  block.reserve(kBlock);
  for (std::string_view line : lines) {
    if (block.size() + line.size() + line_end.size() > kBlock) {
      if (SystemError e = WriteBytes(file, block); e.failed()) return e;
      block.clear();
    }
    if (line.size() + line_end.size() > kBlock) {
      if (SystemError e = WriteBytes(file, line); e.failed()) return e;
      if (SystemError e = WriteBytes(file, line_end); e.failed()) return e;
    } else {
      block.append(line).append(line_end);
    }
  }
  return WriteBytes(file, block);
}

}  // namespace

Status WriteFileAtomically(const std::string& path, std::string_view contents) {
  return WriteLinesAtomically(path, std::span<const std::string_view>(&contents, 1), {});
}

Status WriteLinesAtomically(const std::string& path, std::span<const std::string_view> lines,
                            std::string_view line_end, std::string_view head) {
  fs::path target;
  if (Status s = ResolveLinks(PathOf(path), &target); !s.ok()) return s;
  switch (ProblemWithName(target)) {
    case NameProblem::kNone:
      break;
    case NameProblem::kDevice:  // The write would go to the device.
      return Status::Error("cannot write " + Quoted(path) +
                           ": it is a device name on Windows, not a file; choose another name");
    case NameProblem::kStream:
      return Status::Error("cannot write " + Quoted(path) +
                           ": the name after its colon names a stream of a file on Windows, not "
                           "a file; choose a name without a colon");
  }

  const fs::file_status status = StatusOf(target);
  const bool existed = fs::exists(status);
  if (existed) {
    if (fs::is_directory(status))
      return Status::Error(Status::Code::kFolder,
                           "cannot write " + Quoted(path) + ": it is a folder");
    if (!fs::is_regular_file(status)) {
      return Status::Error("cannot write " + Quoted(path) + ": not a regular file");
    }
    if (IsHeldByAnotherProgram(target)) {
      return Status::Error(Status::Code::kInUse, InUseMessage("write", path));
    }
    constexpr fs::perms kAnyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & kAnyWrite) == fs::perms::none) {
      return Status::Error(Status::Code::kReadOnly,
                           "cannot write " + Quoted(path) + ": the file is read-only");
    }
  }
  fs::path directory = target.parent_path();
  if (directory.empty()) directory = ".";
  if (!fs::is_directory(StatusOf(directory))) {
    return Status::Error("cannot write " + Quoted(path) + ": " + Quoted(directory) +
                         " is not a folder");
  }

  fs::path temp;
  SystemError error;
  std::FILE* file = CreateTemporaryFile(directory, target.filename(), &temp, &error);
  if (file == nullptr)
    return Status::Error("cannot write " + Quoted(path) + ": " + ReasonOf(error));
  error = WriteBytes(file, head);
  if (!error.failed()) error = WriteBlocks(lines, line_end, file);
  if (!error.failed()) error = FlushToDisk(file);
  if (std::fclose(file) != 0 && !error.failed()) error = SystemError::FromErrno();
  if (!error.failed() && existed) {
    // Permission bits where the system has them; Windows' one permission,
    // read-only, is off on both, as such a target was refused above.
    std::error_code ec;
    fs::permissions(temp, status.permissions(), fs::perm_options::replace, ec);
  }
  if (!error.failed()) {
    error = MoveIntoPlace(temp, target);
    if (!error.failed()) {
      // The new target is in place; only whether it would survive a power
      // cut is still open, and a failure now cannot bring the old one back.
      if (const SystemError sync_error = SyncFolder(directory); sync_error.failed()) {
        return Status::Error(Quoted(path) + " was written but could not be confirmed on disk: " +
                             ReasonOf(sync_error));
      }
      return Status::Ok();
    }
  }
  RemoveFile(temp);
  if (error.held) {  // Held since the check.
    return Status::Error(Status::Code::kInUse, InUseMessage("write", path));
  }
  return Status::Error("cannot write " + Quoted(path) + ": " + ReasonOf(error));
}

}  // namespace ordalis
