// The Windows code pages Ordalis reads besides UTF-8 and UTF-16, as tables
// made at build time (cmake/make_code_pages.py) from Python's codecs of
// Microsoft's mappings. A page is one entry of that script's lists.
#pragma once

#include <array>
#include <cstdint>

namespace ordalis {

// A page of one byte a character.
struct SingleBytePage {
  int number;                       // 874, 1250 to 1258.
  const char* name;                 // "cp874", "Windows-1252", ...
  std::array<char16_t, 256> codes;  // Each byte's 16-bit code; unassigned ones keep their value.
  // Each byte's place among the codes of all bytes, those of one code alike:
  // bytes mapped so order as their characters' codes.
  std::array<std::uint8_t, 256> order;
};

// A page of characters of one byte and of two, a lead byte and a trail byte.
struct DoubleBytePage {
  static constexpr unsigned kFirstTrail = 0x40;  // No page has a lower trail byte.
  int number;                                    // 932, 936, 949, 950.
  const char* name;                              // "cp932", ...
  std::array<char16_t, 256> single;              // Each byte's code as a character on its own.
  // For each lead byte, 1 + its row in `pairs`; 0 for a byte that leads none.
  std::array<std::uint8_t, 256> lead_row;
  // The codes of the pairs, by trail byte from kFirstTrail; 0 where the page
  // assigns no character to the pair.
  const char16_t (*pairs)[256 - kFirstTrail];
};

// The page called `number`, or nullptr when there is no such table.
const SingleBytePage* FindSingleBytePage(int number);
const DoubleBytePage* FindDoubleBytePage(int number);

}  // namespace ordalis
