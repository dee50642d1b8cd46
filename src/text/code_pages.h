// Reading and writing the characters of the Windows code pages by their
// tables: one byte a character, or single bytes and pairs of a lead and a
// trail byte. The encodings (encoding.h) are made of these.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "code_page_tables.h"

namespace ordalis {

// The code of the pair that starts `text`, or 0 when it starts none: a lead
// byte at the end, before a byte that cannot follow it, or in a pair the page
// leaves unassigned is a character of its own.
inline char16_t PairAt(const DoubleBytePage& page, std::string_view text) {
  if (text.size() < 2) return 0;
  const std::uint8_t row = page.lead_row[static_cast<unsigned char>(text[0])];
  const auto trail = static_cast<unsigned char>(text[1]);
  if (row == 0 || trail < DoubleBytePage::kFirstTrail) return 0;
  return page.pairs[row - 1][trail - DoubleBytePage::kFirstTrail];
}

// The bytes of the character that starts `text`: 2 for a pair, 1 else.
inline std::size_t DoubleByteSize(const DoubleBytePage& page, std::string_view text) {
  return PairAt(page, text) != 0 ? 2 : 1;
}

// The code of `character`, one character's bytes.
inline char16_t DoubleByteCode(const DoubleBytePage& page, std::string_view character) {
  if (character.size() == 2) return PairAt(page, character);
  return page.single[static_cast<unsigned char>(character[0])];
}

// Appends the bytes of `code` in the page; false when it has none.
bool EncodeInPage(const SingleBytePage& page, char32_t code, std::string* out);
// The same for a double-byte page: the first pair of a code that has two,
// and a single byte only where it leads no pair, so that what is written
// reads back.
bool EncodeInPage(const DoubleBytePage& page, char32_t code, std::string* out);

}  // namespace ordalis
