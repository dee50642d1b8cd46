// The Windows-1252 reading: one byte, one character, coded as the code page
// widens it.
#include "code_page.h"
#include "text_reading.h"

namespace ordalis {
namespace {

class Windows1252 final : public TextReading {
 public:
  std::string_view Name() const override { return "Windows-1252"; }
  std::size_t CharacterSize(std::string_view) const override { return 1; }
  std::size_t Advance(std::string_view line, std::size_t from, std::size_t count) const override {
    return count >= line.size() - from ? line.size() : from + count;
  }
  std::size_t CountCharacters(std::string_view line) const override { return line.size(); }
  std::optional<char32_t> CodePoint(std::string_view character) const override {
    return WidenFromCodePage(character.substr(0, 1))[0];
  }
  const std::array<std::uint8_t, 256>& ByteOrder() const override {
    return CharacterOrderOfBytes();
  }
  std::string_view ByteOrderMark() const override { return {}; }
};

}  // namespace

const TextReading& Windows1252Reading() {
  static const Windows1252 reading;
  return reading;
}

}  // namespace ordalis
