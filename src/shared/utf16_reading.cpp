// The UTF-16 readings, of either byte order: a character is a code point, a
// surrogate pair one and a lone surrogate one of its own; keys order by code
// point, as they do in UTF-8.
#include "text_reading.h"

namespace ordalis {
namespace {

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

class Utf16 final : public WalkedReading<Utf16> {
 public:
  explicit Utf16(bool big_endian) : big_endian_(big_endian) {
    line_end_ = big_endian ? std::string_view("\0\r\0\n", 4) : std::string_view("\r\0\n\0", 4);
    space_ = big_endian ? std::string_view("\0 ", 2) : std::string_view(" \0", 2);
  }

  std::string_view Name() const override { return big_endian_ ? "UTF-16BE" : "UTF-16LE"; }
  std::size_t UnitSize() const override { return 2; }
  std::size_t Advance(std::string_view line, std::size_t from, std::size_t count) const override {
    // Unit by unit: only a high surrogate before a low one makes a pair.
    std::size_t at = from;
    for (; count > 0 && at + 2 <= line.size(); --count) {
      const bool pair = IsHighSurrogate(UnitAt(line, at)) && at + 4 <= line.size() &&
                        IsLowSurrogate(UnitAt(line, at + 2));
      at += pair ? std::size_t{4} : std::size_t{2};
    }
    return count > 0 ? line.size() : at;
  }
  std::optional<char32_t> CodePoint(std::string_view character) const override {
    if (character.size() < 2) return std::nullopt;  // Half a unit, at the end of an odd file.
    return CodeAt(character);
  }
  bool Encode(char32_t code, std::string* out) const override {
    if (code > 0x10FFFF) return false;
    if (code >= 0x10000) {
      AppendUnit(0xD800 + ((code - 0x10000) >> 10), out);
      AppendUnit(0xDC00 + ((code - 0x10000) & 0x3FF), out);
    } else {
      AppendUnit(code, out);
    }
    return true;
  }
  void AppendOrderBytes(std::string_view key, std::string* out) const override {
    // Every character as its code point in three bytes, high byte first;
    // written in place, as a push per byte would cost more than the rest.
    const std::size_t start = out->size();
    out->resize(start + key.size() / 2 * 3);
    char* to = out->data() + start;
    for (std::size_t at = 0; at + 2 <= key.size(); at += 2) {
      char32_t code = UnitAt(key, at);
      if (IsHighSurrogate(code) && at + 4 <= key.size() && IsLowSurrogate(UnitAt(key, at + 2))) {
        code = 0x10000 + ((code - 0xD800) << 10) + (UnitAt(key, at + 2) - 0xDC00);
        at += 2;
      }
      *to++ = static_cast<char>(code >> 16);
      *to++ = static_cast<char>((code >> 8) & 0xFF);
      *to++ = static_cast<char>(code & 0xFF);
    }
    out->resize(static_cast<std::size_t>(to - out->data()));
  }
  std::string_view ByteOrderMark() const override { return big_endian_ ? "\xFE\xFF" : "\xFF\xFE"; }

  // The bytes of the character that starts `text`: 4 for a surrogate pair.
  std::size_t SizeAt(std::string_view text) const {
    if (text.size() < 2) return text.size();
    if (text.size() >= 4 && IsHighSurrogate(UnitAt(text, 0)) && IsLowSurrogate(UnitAt(text, 2))) {
      return 4;
    }
    return 2;
  }

 private:
  char32_t UnitAt(std::string_view text, std::size_t at) const {
    const auto first = static_cast<unsigned char>(text[at]);
    const auto second = static_cast<unsigned char>(text[at + 1]);
    return big_endian_ ? char32_t{first} << 8 | second : char32_t{second} << 8 | first;
  }
  void AppendUnit(char32_t unit, std::string* out) const {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out->push_back(big_endian_ ? high : low);
    out->push_back(big_endian_ ? low : high);
  }
  char32_t CodeAt(std::string_view character) const {
    const char32_t first = UnitAt(character, 0);
    if (character.size() < 4) return first;
    return 0x10000 + ((first - 0xD800) << 10) + (UnitAt(character, 2) - 0xDC00);
  }

  bool big_endian_;
};

}  // namespace

const TextReading& Utf16LeReading() {
  static const Utf16 reading(false);
  return reading;
}

const TextReading& Utf16BeReading() {
  static const Utf16 reading(true);
  return reading;
}

}  // namespace ordalis
