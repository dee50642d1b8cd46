#include "line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace ordalis {

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

LineReader::LineReader(std::FILE* file, std::size_t block_size)
    : LineReader(
          [file](char* buffer, std::size_t size, SystemError* error) -> std::size_t {
            const std::size_t got = std::fread(buffer, 1, size, file);
            if (!std::ferror(file)) return got;
            *error = SystemError::FromErrno();
            return 0;
          },
          block_size) {}

LineReader::LineReader(ReadFunction read, std::size_t block_size)
    : read_(std::move(read)), block_size_(std::max<std::size_t>(block_size, 1)) {}

LineReader::LineReader(std::string_view bytes, std::size_t block_size)
    : unread_(bytes), block_size_(std::max<std::size_t>(block_size, 1)) {}

bool LineReader::Refill() {
  if (ended_) return false;
  if (!read_) {
    current_ = unread_.substr(0, block_size_);
    unread_.remove_prefix(current_.size());
  } else {
    if (!block_) block_.reset(new char[block_size_]);  // Left uninitialised: a read fills it.
    const std::size_t got = read_(block_.get(), block_size_, &error_);
    // A failed read is no end of the input: what came before it is no whole file.
    if (error_.failed()) {
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

}  // namespace ordalis
