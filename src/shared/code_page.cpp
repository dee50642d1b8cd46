#include "code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ordalis {
namespace {

// Bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char16_t Widen(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80u];
  return byte;
}

char Narrow(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::u16string WidenFromCodePage(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i)
    text[i] = Widen(static_cast<unsigned char>(bytes[i]));
  return text;
}

std::string NarrowToCodePage(std::u16string_view text) {
  std::string bytes(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = Narrow(text[i]);
  return bytes;
}

const std::array<std::uint8_t, 256>& CharacterOrderOfBytes() {
  static const std::array<std::uint8_t, 256> order = [] {
    std::array<std::uint8_t, 256> bytes_by_character;
    for (std::size_t b = 0; b < 256; ++b) bytes_by_character[b] = static_cast<std::uint8_t>(b);
    std::sort(bytes_by_character.begin(), bytes_by_character.end(),
              [](std::uint8_t a, std::uint8_t b) { return Widen(a) < Widen(b); });
    std::array<std::uint8_t, 256> places{};
    for (std::size_t place = 0; place < 256; ++place) {
      places[bytes_by_character[place]] = static_cast<std::uint8_t>(place);
    }
    return places;
  }();
  return order;
}

}  // namespace ordalis
