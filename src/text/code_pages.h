// Reading and writing the characters of the Windows code pages by their
// tables: one byte a character, or single bytes and pairs of a lead and a
// trail byte. The encodings (encoding.h) are made of these.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "code_page_tables.h"

namespace ordalis {

// Whether `byte` leads a pair.
inline bool IsLeadByte(const DoubleBytePage& page, char byte) {
  return page.lead_row[static_cast<unsigned char>(byte)] != 0;
}

// The bytes of the character that starts `text`: a lead byte and whatever
// byte follows it but NUL are one, as Windows reads them; every other byte,
// and a lead byte at the end or before a NUL, is one of its own.
inline std::size_t DoubleByteSize(const DoubleBytePage& page, std::string_view text) {
  return text.size() >= 2 && text[1] != '\0' && IsLeadByte(page, text[0]) ? 2 : 1;
}

// The code of the pair of the lead byte of `row` (its lead_row) and `trail`.
inline char16_t PairCode(const DoubleBytePage& page, std::uint8_t row, unsigned char trail) {
  if (trail < DoubleBytePage::kFirstTrail) return page.default_char;
  return page.pairs[row - 1][trail - DoubleBytePage::kFirstTrail];
}

// The code of `character`, one character's bytes: the page's default
// character for a pair it leaves unassigned and for a lead byte on its own.
inline char16_t DoubleByteCode(const DoubleBytePage& page, std::string_view character) {
  const std::uint8_t row = page.lead_row[static_cast<unsigned char>(character[0])];
  if (row == 0) return page.single[static_cast<unsigned char>(character[0])];
  if (character.size() < 2) return page.default_char;
  return PairCode(page, row, static_cast<unsigned char>(character[1]));
}

// Appends the bytes of `code` in the page; false when it has none.
bool EncodeInPage(const SingleBytePage& page, char32_t code, std::string* out);
// The same for a double-byte page: a byte that leads no pair where there is
// one, else the first pair; the default character as the page writes it.
// What is written reads back as `code`.
bool EncodeInPage(const DoubleBytePage& page, char32_t code, std::string* out);

}  // namespace ordalis
