// The UTF-8 reading: a character is a code point, or a byte in no valid
// sequence; keys order by their bytes, which is code point order.
#include "text_reading.h"
#include "utf8.h"

namespace ordalis {
namespace {

class Utf8 final : public WalkedReading<Utf8> {
 public:
  std::string_view Name() const override { return "UTF-8"; }
  std::size_t SizeAt(std::string_view text) const { return Utf8CharacterSize(text); }
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
  const std::array<std::uint8_t, 256>* OrderByteMap() const override { return &SameByteMap(); }
  std::string_view ByteOrderMark() const override { return "\xEF\xBB\xBF"; }
};

}  // namespace

const TextReading& Utf8Reading() {
  static const Utf8 reading;
  return reading;
}

}  // namespace ordalis
