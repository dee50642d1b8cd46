#include "text_file.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "durable_rename.h"
#include "native_path.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace ordalis {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) { return "\"" + NameOf(path) + "\""; }
std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string Reason(const std::error_code& ec) { return ec.message(); }

std::string InUseMessage(const std::string& path) {
  return "cannot write " + Quoted(path) +
         ": it is in use by another program; close it there and try again";
}

std::string ErrnoReason(int error) {
  return error != 0 ? std::string(std::strerror(error)) : "input/output error";
}

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

std::size_t FindUnit(std::string_view text, std::string_view unit) {
  // Searched for by its one byte that is not 0: UTF-16 text is full of them.
  const std::size_t key = unit.find_first_not_of('\0');
  for (std::size_t from = key; from < text.size();) {
    const void* found = std::memchr(text.data() + from, unit[key], text.size() - from);
    if (found == nullptr) break;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
    const std::size_t start = at - key;
    if (start % unit.size() == 0 && text.substr(start, unit.size()) == unit) return start;
    from = at + 1;
  }
  return std::string_view::npos;
}

std::string ReadErrorMessage(const std::string& what, int error) {
  return "cannot read " + what + ": " + ErrnoReason(error);
}

LineReader::LineReader(std::FILE* file, std::size_t block_size)
    : file_(file), block_size_(std::max<std::size_t>(block_size, 1)) {}

LineReader::LineReader(std::string_view bytes, std::size_t block_size)
    : unread_(bytes), block_size_(std::max<std::size_t>(block_size, 1)) {}

bool LineReader::Refill() {
  if (ended_) return false;
  if (file_ == nullptr) {
    current_ = unread_.substr(0, block_size_);
    unread_.remove_prefix(current_.size());
  } else {
    if (!block_) block_.reset(new char[block_size_]);  // Left uninitialised: fread fills it.
    const std::size_t got = std::fread(block_.get(), 1, block_size_, file_);
    // A failed read is no end of the input: what came before it is no whole file.
    if (std::ferror(file_)) {
      error_ = errno != 0 ? errno : EIO;
      current_ = {};
      ended_ = true;
      return false;
    }
    current_ = std::string_view(block_.get(), got);
  }
  bytes_read_ += current_.size();
  ended_ = current_.empty();
  return !ended_;
}

void LineReader::Hold(std::size_t count) {
  while (current_.size() < count && !ended_) {
    std::string joined(current_);
    const bool more = Refill();
    joined.append(current_);
    joined_ = std::move(joined);
    current_ = joined_;
    if (!more) break;
  }
}

std::string_view LineReader::Peek(std::size_t count) {
  Hold(count);
  return current_.substr(0, count);
}

void LineReader::SetLineEnds(std::string_view cr, std::string_view lf) {
  cr_ = cr;
  lf_ = lf;
}

bool LineReader::AtEndOfBlock() {
  if (current_.empty() && !Refill()) return true;
  if (after_cr_) {
    after_cr_ = false;
    if (current_.size() < lf_.size()) Hold(lf_.size());
    if (current_.starts_with(lf_)) {
      current_.remove_prefix(lf_.size());
      if (current_.empty() && !Refill()) return true;
    }
  }
  return false;
}

bool LineReader::AppendUnitLine(std::string* line) {
  const std::size_t unit = cr_.size();
  for (;;) {
    // The current bytes start at a unit's place: a line is whole units.
    if (const std::size_t at = FindUnit(current_, cr_); at != std::string_view::npos) {
      line->append(current_.data(), at);
      current_.remove_prefix(at + unit);
      after_cr_ = true;
      return true;
    }
    // Whole units go to the line; a unit cut by the block's end waits for
    // the rest of it.
    const std::size_t whole = current_.size() - current_.size() % unit;
    line->append(current_.data(), whole);
    current_.remove_prefix(whole);
    Hold(unit);
    if (current_.size() < unit) {
      // A last line without a line end is still a line, with any odd byte.
      line->append(current_);
      current_ = {};
      return true;
    }
  }
}

bool LineReader::AppendLine(std::string* line) {
  if (AtEnd()) return false;
  if (cr_.size() > 1) return AppendUnitLine(line);
  if (current_.front() == '\r') {  // An empty line, common enough to skip the search.
    current_.remove_prefix(1);
    after_cr_ = true;
    return true;
  }
  for (;;) {
    const std::size_t cr = current_.find('\r');
    if (cr != std::string_view::npos) {
      line->append(current_.data(), cr);
      current_.remove_prefix(cr + 1);
      after_cr_ = true;
      return true;
    }
    line->append(current_);
    current_ = {};
    // A last line without a line end is still a line.
    if (!Refill()) return true;
  }
}

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

  std::error_code ec;
  const fs::file_status status = fs::status(target, ec);
  const bool existed = fs::exists(status);
  if (existed) {
    if (fs::is_directory(status))
      return Status::Error("cannot write " + Quoted(path) + ": it is a folder");
    if (!fs::is_regular_file(status)) {
      return Status::Error("cannot write " + Quoted(path) + ": not a regular file");
    }
    if (IsHeldByAnotherProgram(target)) return Status::Error(InUseMessage(path));
    constexpr fs::perms kAnyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & kAnyWrite) == fs::perms::none) {
      return Status::Error("cannot write " + Quoted(path) + ": the file is read-only");
    }
  }
  fs::path directory = target.parent_path();
  if (directory.empty()) directory = ".";
  if (!fs::is_directory(directory, ec)) {
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
  if (written && existed) {
    fs::permissions(temp, status.permissions(), fs::perm_options::replace, ec);
  }
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
  fs::remove(temp, ec);
#if defined(_WIN32)
  if (error == EBUSY) return Status::Error(InUseMessage(path));  // Held since the check above.
#endif
  return Status::Error("cannot write " + Quoted(path) + ": " + ErrnoReason(error));
}

bool IsSameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code ec;
  return fs::equivalent(PathOf(a), PathOf(b), ec) && !ec;
}

void IgnoreFileSizeLimitSignal() {
#if defined(SIGXFSZ)
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace ordalis
