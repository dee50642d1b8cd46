#include "durable_replace.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "durable_rename.h"
#include "file_reading.h"
#include "native_path.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace ordalis {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) { return ordalis::Quoted(NameOf(path)); }

std::string Reason(const std::error_code& ec) { return ec.message(); }

// Follows a chain of symbolic links to the name of the file they lead to,
// which need not exist yet.
Status ResolveLinks(const fs::path& path, fs::path* resolved) {
  fs::path current = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(current, ec))) {
      *resolved = current;
      return Status::Ok();
    }
    fs::path link = fs::read_symlink(current, ec);
    if (ec) return Status::Error("cannot follow the link " + Quoted(current) + ": " + Reason(ec));
    current = link.is_absolute() ? link : current.parent_path() / link;
  }
  return Status::Error("too many levels of links at " + Quoted(path));
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// Creates a new, empty temporary file in `directory`; never opens an existing one.
std::FILE* CreateTemporaryFile(const fs::path& directory, const fs::path& stem,
                               fs::path* temp_path) {
  static std::mt19937_64 generator{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path name = ".";
    name += stem;
    name += ".tmp-" + std::to_string(generator() % 1000000000);
    *temp_path = directory / name;
    if (std::FILE* file = OpenFile(NameOf(*temp_path), "wbx")) return file;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

// Writes each line and its line end in large blocks: a call to fwrite per
// short line would cost more than the copying.
bool WriteBlocks(std::span<const std::string_view> lines, std::string_view line_end,
                 std::FILE* file) {
  constexpr std::size_t kBlock = 1 << 16;
  std::string block;
  block.reserve(kBlock);
  const auto write = [file](std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  };
  for (std::string_view line : lines) {
    if (block.size() + line.size() + line_end.size() > kBlock) {
      if (!write(block)) return false;
      block.clear();
    }
    if (line.size() + line_end.size() > kBlock) {
      if (!write(line) || !write(line_end)) return false;
    } else {
      block.append(line).append(line_end);
    }
  }
  return write(block);
}

}  // namespace

Status WriteFileAtomically(const std::string& path, std::string_view contents) {
  return WriteLinesAtomically(path, std::span<const std::string_view>(&contents, 1), {});
}

Status WriteLinesAtomically(const std::string& path, std::span<const std::string_view> lines,
                            std::string_view line_end, std::string_view head) {
  fs::path target;
  if (Status s = ResolveLinks(PathOf(path), &target); !s.ok()) return s;
#if defined(_WIN32)
  // Such a name opens the device in any folder: the write would go there.
  if (IsWindowsDeviceName(NameOf(target.filename()))) {
    return Status::Error("cannot write " + Quoted(path) +
                         ": it is a device name on Windows, not a file; choose another name");
  }
#endif

  const fs::file_status status = StatusOf(target);
  const bool existed = fs::exists(status);
  if (existed) {
    if (fs::is_directory(status))
      return Status::Error("cannot write " + Quoted(path) + ": it is a folder");
    if (!fs::is_regular_file(status)) {
      return Status::Error("cannot write " + Quoted(path) + ": not a regular file");
    }
    if (IsHeldByAnotherProgram(target)) return Status::Error(InUseMessage("write", path));
    constexpr fs::perms kAnyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & kAnyWrite) == fs::perms::none) {
      return Status::Error("cannot write " + Quoted(path) + ": the file is read-only");
    }
  }
  fs::path directory = target.parent_path();
  if (directory.empty()) directory = ".";
  if (!fs::is_directory(StatusOf(directory))) {
    return Status::Error("cannot write " + Quoted(path) + ": " + Quoted(directory) +
                         " is not a folder");
  }

  fs::path temp;
  std::FILE* file = CreateTemporaryFile(directory, target.filename(), &temp);
  if (file == nullptr)
    return Status::Error("cannot write " + Quoted(path) + ": " + ErrnoReason(errno));
  bool written = std::fwrite(head.data(), 1, head.size(), file) == head.size() &&
                 WriteBlocks(lines, line_end, file);
  int error = errno;
  written = written && FlushToDisk(file);
  if (!written) error = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
#if !defined(_WIN32)
  // Windows' one permission, read-only, is off on both: such a target was refused above.
  if (written && existed) {
    std::error_code ec;
    fs::permissions(temp, status.permissions(), fs::perm_options::replace, ec);
  }
#endif
  if (written) {
    error = MoveIntoPlace(temp, target);
    if (error == 0) {
      // The new target is in place; only whether it would survive a power
      // cut is still open, and a failure now cannot bring the old one back.
      if (const int sync_error = SyncFolder(directory); sync_error != 0) {
        return Status::Error(Quoted(path) + " was written but could not be confirmed on disk: " +
                             ErrnoReason(sync_error));
      }
      return Status::Ok();
    }
  }
  RemoveFile(temp);
#if defined(_WIN32)
  if (error == EBUSY)
    return Status::Error(InUseMessage("write", path));  // Held since the check above.
#endif
  return Status::Error("cannot write " + Quoted(path) + ": " + ErrnoReason(error));
}

}  // namespace ordalis
