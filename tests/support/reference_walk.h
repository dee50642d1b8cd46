// A walk of characters written apart from the program's: each encoding read
// from its rules and tables directly, keys cut by column over the walk, and
// keys compared by their characters' codes. The references of the tests and
// the fuzzers stand on it, so that a fault in the program's own walk, key
// cutting or key order cannot hide in them.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "sort/sort_key.h"
#include "support/reference_utf8.h"
#include "text/code_page_tables.h"
#include "text/encoding.h"

namespace ordalis::testing {

// A character as the walk sees it: where it starts, its bytes, its code.
struct Character {
  std::size_t at;
  std::size_t size;
  char32_t code;  // Past U+10FFFF for bytes of no character.
};

constexpr char32_t kNone = 0x110000;

// The characters of `text` in `encoding`.
inline std::vector<Character> Walk(std::string_view text, const Encoding& encoding) {
  std::vector<Character> characters;
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = [&](std::size_t i) { return char32_t{static_cast<unsigned char>(text[i])}; };
    Character c{at, 1, kNone};
    switch (encoding.form) {
      case EncodingForm::kSingleByte:
        c.code = encoding.single->codes[byte(at)];
        break;
      case EncodingForm::kDoubleByte: {
        const DoubleBytePage& page = *encoding.pairs;
        const std::uint8_t row = page.lead_row[byte(at)];
        if (row == 0) {
          c.code = page.single[byte(at)];
        } else if (at + 1 < text.size() && text[at + 1] != '\0') {
          const char32_t trail = byte(at + 1);
          c = {at, 2,
               trail < DoubleBytePage::kFirstTrail
                   ? page.default_char
                   : page.pairs[row - 1][trail - DoubleBytePage::kFirstTrail]};
        } else {
          c.code = page.default_char;
        }
        break;
      }
      case EncodingForm::kUtf8:
        if (const auto sequence = ReferenceUtf8At(text, at)) {
          c = {at, sequence->first, sequence->second};
        }
        break;
      case EncodingForm::kUtf16Le:
      case EncodingForm::kUtf16Be: {
        const bool big = encoding.form == EncodingForm::kUtf16Be;
        const auto unit = [&](std::size_t i) -> char32_t {
          return big ? byte(i) << 8 | byte(i + 1) : byte(i + 1) << 8 | byte(i);
        };
        if (at + 2 > text.size()) break;  // The odd byte at the end.
        c = {at, 2, unit(at)};
        if (c.code >= 0xD800 && c.code < 0xDC00 && at + 4 <= text.size() &&
            unit(at + 2) >= 0xDC00 && unit(at + 2) < 0xE000) {
          c = {at, 4, 0x10000 + ((c.code - 0xD800) << 10) + (unit(at + 2) - 0xDC00)};
        }
        break;
      }
    }
    characters.push_back(c);
    at += c.size;
  }
  return characters;
}

// The key the walk cuts: the characters [first, last) of `characters`.
inline std::pair<std::size_t, std::size_t> WalkKey(const std::vector<Character>& characters,
                                                   const KeyParameters& params, bool* stops) {
  const std::size_t n = characters.size();
  std::size_t first = 0, last = 0;
  switch (params.mode) {
    case SortMode::None:
      break;
    case SortMode::LeftMost:
      last = std::min<std::size_t>(n, static_cast<std::size_t>(params.count));
      break;
    case SortMode::Middle:
      first = std::min<std::size_t>(n, static_cast<std::size_t>(params.start - 1));
      last = std::min<std::size_t>(n, first + static_cast<std::size_t>(params.count));
      break;
    case SortMode::RightMost: {
      const double keep = std::nearbyint(static_cast<double>(n) - params.right_start);
      if (keep < 0 || keep > 2147483647.0) *stops = true;
      if (*stops) return {0, 0};
      first = n - std::min<std::size_t>(n, static_cast<std::size_t>(keep));
      last = n;
      break;
    }
  }
  while (first < last && characters[first].code == U' ') ++first;
  while (last > first && characters[last - 1].code == U' ') --last;
  return {first, last};
}

// A key as the walk cut it: its characters, in its line.
struct WalkedKey {
  std::span<const Character> characters;
  std::string_view line;

  // The bytes of the key from its character `i` on.
  std::string_view From(std::size_t i) const {
    const std::size_t end = characters.back().at + characters.back().size;
    return line.substr(characters[i].at, end - characters[i].at);
  }
};

// Keys in code order; from bytes of no character on, in byte order.
inline bool WalkLess(const WalkedKey& a, const WalkedKey& b) {
  for (std::size_t i = 0; i < a.characters.size() && i < b.characters.size(); ++i) {
    const char32_t x = a.characters[i].code, y = b.characters[i].code;
    if (x == kNone || y == kNone) return a.From(i) < b.From(i);
    if (x != y) return x < y;
  }
  return a.characters.size() < b.characters.size();
}

}  // namespace ordalis::testing
