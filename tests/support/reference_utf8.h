// UTF-8 as the standard defines it, by arithmetic alone: the yardstick that
// the program's table-driven reading is checked against.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace ordalis::testing {

// The length and code point of the valid sequence at `at` in `text`, or
// nothing: a continuation byte, an overlong form, a surrogate, a value above
// U+10FFFF or a sequence cut short.
inline std::optional<std::pair<std::size_t, char32_t>> ReferenceUtf8At(std::string_view text,
                                                                       std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return std::pair<std::size_t, char32_t>{1, lead};
  const std::size_t length = (lead & 0xE0) == 0xC0   ? 2
                             : (lead & 0xF0) == 0xE0 ? 3
                             : (lead & 0xF8) == 0xF0 ? 4
                                                     : 0;
  if (length == 0 || at + length > text.size()) return std::nullopt;
  char32_t code = lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = code << 6 | (next & 0x3Fu);
  }
  const char32_t shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (code < shortest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
  return std::pair<std::size_t, char32_t>{length, code};
}

}  // namespace ordalis::testing
