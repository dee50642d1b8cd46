// The Windows code pages Ordalis reads besides UTF-8 and UTF-16: Microsoft's
// own tables, as Wine ships them, made into code_page_tables.cpp by
// cmake/make_code_pages.py. A page is one entry of that script's lists.
#pragma once

#include <array>
#include <cstdint>

namespace ordalis {

// A page of one byte a character.
struct SingleBytePage {
  int number;                       // 874, 1250 to 1258.
  const char* name;                 // "cp874", "Windows-1252", ...
  std::array<char16_t, 256> codes;  // Each byte's 16-bit code.
  // Each byte's place among the codes of all bytes, those of one code alike:
  // bytes mapped so order as their characters' codes.
  std::array<std::uint8_t, 256> order;
};

// A page of characters of one byte and of two: a lead byte and whatever byte
// follows it.
struct DoubleBytePage {
  int number;                        // 932, 936, 949, 950.
  const char* name;                  // "cp932", ...
  char16_t default_char;             // Of a pair the page leaves unassigned, or a lone lead byte.
  std::uint16_t default_bytes;       // What writes the default character: a pair, or one byte.
  std::array<char16_t, 256> single;  // Each byte's code as a character on its own.
  // For each lead byte, 1 + its row in `pairs`; 0 for a byte that leads none.
  std::array<std::uint8_t, 256> lead_row;
  // The codes of the pairs, by second byte from kFirstTrail; the default
  // character where the page assigns none, as for every lower second byte.
  static constexpr unsigned kFirstTrail = 0x40;
  const char16_t (*pairs)[256 - kFirstTrail];
};

// The page called `number`, or nullptr when there is no such table.
const SingleBytePage* FindSingleBytePage(int number);
const DoubleBytePage* FindDoubleBytePage(int number);

}  // namespace ordalis
