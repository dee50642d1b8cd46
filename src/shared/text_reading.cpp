#include "text_reading.h"

#include <cstdint>
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

}  // namespace

const TextReading& ChooseReading(std::span<const std::string_view> lines, EncodingChoice choice) {
  switch (choice) {
    case EncodingChoice::Utf8:
      return Utf8Reading();
    case EncodingChoice::Windows1252:
      return Windows1252Reading();
    case EncodingChoice::Auto:
      break;
  }
  const TextReading& utf8 = Utf8Reading();
  if (!lines.empty() && lines.front().starts_with(utf8.ByteOrderMark())) return utf8;
  bool multibyte = false;
  for (std::string_view line : lines) {
    if (!IsValidUtf8(line, &multibyte)) return Windows1252Reading();
  }
  return multibyte ? utf8 : Windows1252Reading();
}

}  // namespace ordalis
