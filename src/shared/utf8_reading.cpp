// The UTF-8 reading: a character is a code point, or a byte in no valid
// sequence; keys order by their bytes, which is code point order.
#include "text_reading.h"
#include "utf8.h"

namespace ordalis {
namespace {

class Utf8 final : public TextReading {
 public:
  std::string_view Name() const override { return "UTF-8"; }
  std::size_t CharacterSize(std::string_view text) const override {
    return Utf8CharacterSize(text);
  }
  std::size_t Advance(std::string_view line, std::size_t from, std::size_t count) const override {
    std::size_t at = from;
    for (; count > 0 && at < line.size(); --count) at += Utf8CharacterSize(line.substr(at));
    return at;
  }
  std::size_t CountCharacters(std::string_view line) const override {
    std::size_t count = 0;
    for (std::size_t at = 0; at < line.size(); ++count) at += Utf8CharacterSize(line.substr(at));
    return count;
  }
  std::optional<char32_t> CodePoint(std::string_view character) const override {
    if (Utf8SequenceLength(character) == 0) return std::nullopt;
    return DecodeUtf8(character);
  }
  bool Encode(char32_t code, std::string* out) const override {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    AppendUtf8(code, out);
    return true;
  }
  // UTF-8's byte order is its code points' order.
  void AppendOrderBytes(std::string_view key, std::string* out) const override { out->append(key); }
  bool OrdersByOwnBytes() const override { return true; }
  std::string_view ByteOrderMark() const override { return "\xEF\xBB\xBF"; }
};

}  // namespace

const TextReading& Utf8Reading() {
  static const Utf8 reading;
  return reading;
}

}  // namespace ordalis
