// Reading and writing the characters of the Windows code pages by their
// tables: one byte a character, or single bytes and pairs of a lead and a
// trail byte. The encodings (encoding.h) are made of these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "code_page_tables.h"

namespace ordalis {

// The pairing rule, written once: a lead byte (one whose row in lead_row is
// not 0) and whatever byte follows it but NUL are one character, as Windows
// reads them; every other byte, and a lead byte at the end or before a NUL,
// is one of its own. Returns the bytes of the character that starts `text`,
// whose first byte has the row `row`.
inline std::size_t PairedSize(std::uint8_t row, std::string_view text) {
  return row != 0 && text.size() >= 2 && text[1] != '\0' ? 2 : 1;
}

// The bytes of the character that starts `text`. REQUIRES: `text` is not empty.
inline std::size_t DoubleByteSize(const DoubleBytePage& page, std::string_view text) {
  return PairedSize(page.lead_row[static_cast<unsigned char>(text[0])], text);
}

// The code of the pair of the lead byte of `row` (its lead_row) and `trail`.
inline char16_t PairCode(const DoubleBytePage& page, std::uint8_t row, unsigned char trail) {
  if (trail < DoubleBytePage::kFirstTrail) return page.default_char;
  return page.pairs[row - 1][trail - DoubleBytePage::kFirstTrail];
}

// The code of the character that starts `text`, with one look at its first
// byte, and its bytes in `*size`: the page's default character for a pair
// it leaves unassigned and for a lead byte on its own. REQUIRES: `text` is
// not empty.
inline char16_t ReadDoubleByte(const DoubleBytePage& page, std::string_view text,
                               std::size_t* size) {
  const std::uint8_t row = page.lead_row[static_cast<unsigned char>(text[0])];
  *size = PairedSize(row, text);
  if (row == 0) return page.single[static_cast<unsigned char>(text[0])];
  if (*size < 2) return page.default_char;
  return PairCode(page, row, static_cast<unsigned char>(text[1]));
}

// Appends the bytes of `code` in the page; false when it has none.
bool EncodeInPage(const SingleBytePage& page, char32_t code, std::string* out);
// The same for a double-byte page: a byte that leads no pair where there is
// one, else the first pair; the default character as the page writes it.
// What is written reads back as `code`.
bool EncodeInPage(const DoubleBytePage& page, char32_t code, std::string* out);

}  // namespace ordalis
