#include "text_reading.h"

#include <cstdint>
#include <cstring>

#include "code_page_tables.h"
#include "text_file.h"
#include "utf8.h"

#if defined(_WIN32)
#include <windows.h>
#endif

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

// Defined with the code page readings.
const TextReading* CodePageReading(int number);

const std::array<std::uint8_t, 256>& SameByteMap() {
  static constexpr std::array<std::uint8_t, 256> kSameByte = [] {
    std::array<std::uint8_t, 256> map{};
    for (std::size_t b = 0; b < 256; ++b) map[b] = static_cast<std::uint8_t>(b);
    return map;
  }();
  return kSameByte;
}

std::string_view TextReading::TrimSpaces(std::string_view text) const {
  const std::size_t unit = space_.size();
  if (unit == 1) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
  }
  while (text.size() >= unit && text.substr(0, unit) == space_) text.remove_prefix(unit);
  while (text.size() >= unit && text.substr(text.size() - unit) == space_) {
    text.remove_suffix(unit);
  }
  return text;
}

bool TextReading::HoldsLineFeed(std::string_view text) const {
  return FindUnit(text, line_end_.substr(line_end_.size() / 2)) != std::string_view::npos;
}

const TextReading* ReadingNamed(std::string_view name) {
  if (name == "utf-8") return &Utf8Reading();
  if (name == "utf-16le") return &Utf16LeReading();
  if (name == "utf-16be") return &Utf16BeReading();
  if (name == "windows-1252") return &Windows1252Reading();
  if (!name.starts_with("cp") || name.size() > 6) return nullptr;
  int number = 0;
  for (char c : name.substr(2)) {
    if (c < '0' || c > '9') return nullptr;
    number = number * 10 + (c - '0');
  }
  return CodePageReading(number);
}

const TextReading& SystemCodePageReading() {
#if defined(_WIN32)
  static const TextReading& reading = []() -> const TextReading& {
    const UINT page = GetACP();
    if (page == CP_UTF8) return Utf8Reading();
    const TextReading* found = CodePageReading(static_cast<int>(page));
    return found != nullptr ? *found : Windows1252Reading();
  }();
  return reading;
#else
  return Windows1252Reading();
#endif
}

const TextReading* UnitReading(std::string_view start, EncodingChoice choice) {
  if (choice.reading != nullptr) {
    return choice.reading->UnitSize() > 1 ? choice.reading : nullptr;
  }
  for (const TextReading* reading : {&Utf16LeReading(), &Utf16BeReading()}) {
    if (start.starts_with(reading->ByteOrderMark())) return reading;
  }
  return nullptr;
}

const TextReading& ChooseReading(std::span<const std::string_view> lines, EncodingChoice choice) {
  if (choice.reading != nullptr) return *choice.reading;
  const TextReading& utf8 = Utf8Reading();
  if (!lines.empty() && lines.front().starts_with(utf8.ByteOrderMark())) return utf8;
  bool multibyte = false;
  for (std::string_view line : lines) {
    if (!IsValidUtf8(line, &multibyte)) return SystemCodePageReading();
  }
  return multibyte ? utf8 : SystemCodePageReading();
}

std::string Utf8Of(std::string_view text, const TextReading& reading) {
  std::string utf8;
  utf8.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t size = reading.CharacterSize(text.substr(at));
    const std::optional<char32_t> code = reading.CodePoint(text.substr(at, size));
    AppendUtf8(code ? *code : U'\uFFFD', &utf8);
    at += size;
  }
  return utf8;
}

}  // namespace ordalis
