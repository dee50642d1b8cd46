// Reading text one line at a time, by the line rule shared by every file the
// program reads.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/system_error.h"

namespace ordalis {

// The offset of the first `unit` in `text` at a whole unit's place (a
// multiple of its size), or npos. REQUIRES: `unit` holds a byte other than 0.
std::size_t FindUnit(std::string_view text, std::string_view unit);

// Reads lines by the line rule of every file the program reads: a line ends
// at CR or at a CR LF pair, and the terminator is not part of the line; a lone
// LF stays inside its line; a last line without a terminator is still a line;
// a trailing terminator adds no empty line; empty input gives no lines.
// It reads one block at a time, so that a caller can stop after any line
// without having read much beyond it: the time and memory a read takes depend
// on the lines taken, not on the input.
class LineReader {
 public:
  static constexpr std::size_t kBlockSize = 1 << 16;

  // Reads up to `size` bytes into `buffer` and returns how many: 0 at the
  // end of the input, or on a failure, which it puts in `*error`.
  using ReadFunction =
      std::function<std::size_t(char* buffer, std::size_t size, SystemError* error)>;

  // Reads `file` with std::fread; the caller keeps it open while the reader
  // is in use.
  explicit LineReader(std::FILE* file, std::size_t block_size = kBlockSize);
  // Reads what `read` gives.
  explicit LineReader(ReadFunction read, std::size_t block_size = kBlockSize);
  // Reads `bytes`, handed out `block_size` at a time as a file's would be.
  // REQUIRES: `bytes` outlives the reader.
  explicit LineReader(std::string_view bytes, std::size_t block_size = kBlockSize);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The first `count` bytes of the input, or all of it when shorter, left to
  // be read as lines. REQUIRES: no line has been taken yet.
  std::string_view Peek(std::size_t count);
  // Makes lines end at `cr`, or at `cr` followed by `lf`, two code units of
  // one size, found only at a whole unit's place: UTF-16's are two bytes.
  // REQUIRES: no line has been taken yet.
  void SetLineEnds(std::string_view cr, std::string_view lf);

  // True when no line is left: the input has ended, or a read failed.
  // Reads at most the next block, never a whole line.
  bool AtEnd() { return (current_.empty() || after_cr_) && AtEndOfBlock(); }
  // Appends the next line, without its line end, to `*line`; returns false,
  // appending nothing, when no line is left. Throws std::bad_alloc when
  // `*line` cannot hold it; the reader is then at an unknown place.
  bool AppendLine(std::string* line);
  // How a read failed; no failure while every read has succeeded.
  const SystemError& error() const { return error_; }
  // How many bytes have been read from the input so far.
  std::uintmax_t bytes_read() const { return bytes_read_; }

 private:
  // AtEnd where the current block is used up or may begin with the LF of a
  // CR LF.
  bool AtEndOfBlock();
  // Makes the next block current; false at the end of the input or on error.
  bool Refill();
  // Makes the current bytes at least `count`, joining the next block to
  // them, unless the input ends first.
  void Hold(std::size_t count);
  // AppendLine for code units of more than one byte.
  bool AppendUnitLine(std::string* line);

  ReadFunction read_;        // Empty for a reader of bytes.
  std::string_view unread_;  // The bytes of a reader of bytes not yet handed out.
  std::size_t block_size_;
  std::unique_ptr<char[]> block_;
  std::string_view current_;  // What is left of the current block.
  std::string joined_;        // A block's end joined to the next, where Hold needed it.
  std::string_view cr_ = "\r";
  std::string_view lf_ = "\n";
  bool after_cr_ = false;  // A CR ended the last line: an LF next belongs to it.
  bool ended_ = false;
  SystemError error_;
  std::uintmax_t bytes_read_ = 0;
};

}  // namespace ordalis
