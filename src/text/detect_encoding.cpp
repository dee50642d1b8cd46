#include "detect_encoding.h"

#include <cstring>

#include "utf8.h"

namespace ordalis {
namespace {

// Eight bytes from `at` hold none above 127.
bool IsAsciiWord(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return (word & 0x8080808080808080u) == 0;
}

// Walks `line` a character at a time: false at the first byte in no valid
// UTF-8 sequence; sets `*multibyte` when a sequence of more than one byte
// was met. Runs of ASCII, most of a data file, are passed eight bytes at once.
bool IsValidUtf8(std::string_view line, bool* multibyte) {
  for (std::size_t at = 0; at < line.size();) {
    if (line.size() - at >= 8 && IsAsciiWord(line.data() + at)) {
      at += 8;
      continue;
    }
    if (static_cast<unsigned char>(line[at]) < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(line.substr(at));
    if (length == 0) return false;
    *multibyte = true;
    at += length;
  }
  return true;
}

Encoding DecideByBytes(std::span<const std::string_view> lines) {
  if (!lines.empty() && lines.front().starts_with(ByteOrderMark(Utf8Encoding()))) {
    return Utf8Encoding();
  }
  bool multibyte = false;
  for (std::string_view line : lines) {
    if (!IsValidUtf8(line, &multibyte)) return SystemCodePageEncoding();
  }
  return multibyte ? Utf8Encoding() : SystemCodePageEncoding();
}

}  // namespace

std::optional<Encoding> UnitEncoding(std::string_view first_bytes, EncodingChoice choice) {
  if (choice) return UnitSize(*choice) > 1 ? choice : std::nullopt;
  for (const Encoding encoding : {Utf16LeEncoding(), Utf16BeEncoding()}) {
    if (first_bytes.starts_with(ByteOrderMark(encoding))) return encoding;
  }
  return std::nullopt;
}

std::optional<DetectedEncoding> DetectEncoding(std::optional<Encoding> units,
                                               std::span<const std::string_view> lines,
                                               std::uintmax_t source_bytes, EncodingChoice choice) {
  if (units && source_bytes % UnitSize(*units) != 0) return std::nullopt;
  DetectedEncoding detected{units ? *units : choice ? *choice : DecideByBytes(lines)};
  // In an encoding without it, a byte order mark is characters of line 1.
  const std::string_view mark = ByteOrderMark(detected.encoding);
  if (!mark.empty() && !lines.empty() && lines.front().starts_with(mark)) {
    detected.mark_size = mark.size();
  }
  return detected;
}

}  // namespace ordalis
