// UTF-16's rules, written once: which units pair up as surrogates, what code
// point a pair is, and how code units are held as bytes of either order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ordalis {

inline bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The code point of the pair `high`, `low`.
inline char32_t FromSurrogates(char32_t high, char32_t low) {
  return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// Calls `unit` with each code unit of `code`: twice, a pair, above U+FFFF.
template <typename UnitFunction>
void ForEachUtf16Unit(char32_t code, UnitFunction unit) {
  if (code < 0x10000) {
    unit(code);
    return;
  }
  unit(0xD800 + ((code - 0x10000) >> 10));
  unit(0xDC00 + ((code - 0x10000) & 0x3FF));
}

// The code unit at byte `at` of `bytes`. REQUIRES: two bytes there.
inline char32_t Utf16UnitAt(std::string_view bytes, std::size_t at, bool big_endian) {
  const auto first = static_cast<unsigned char>(bytes[at]);
  const auto second = static_cast<unsigned char>(bytes[at + 1]);
  return big_endian ? char32_t{first} << 8 | second : char32_t{second} << 8 | first;
}

// The character that starts `bytes`, read with one look at each unit: its
// code point, and its bytes in `*size`: 4 for a high surrogate and the low
// one after it, which pair, 2 for any other unit, a lone surrogate too, whose
// code point is its own value, and the odd byte at an end, 1, whose code
// point is 0. REQUIRES: `bytes` is not empty.
inline char32_t ReadUtf16(std::string_view bytes, bool big_endian, std::size_t* size) {
  if (bytes.size() < 2) {
    *size = bytes.size();
    return 0;
  }
  const char32_t first = Utf16UnitAt(bytes, 0, big_endian);
  if (IsHighSurrogate(first) && bytes.size() >= 4) {
    const char32_t second = Utf16UnitAt(bytes, 2, big_endian);
    if (IsLowSurrogate(second)) {
      *size = 4;
      return FromSurrogates(first, second);
    }
  }
  *size = 2;
  return first;
}

// The bytes of the character that starts `bytes`, as ReadUtf16 counts them.
inline std::size_t Utf16CharacterSize(std::string_view bytes, bool big_endian) {
  std::size_t size = 0;
  ReadUtf16(bytes, big_endian, &size);
  return size;
}

// Appends the units of `code` to `*out` as bytes in the given order.
inline void AppendUtf16(char32_t code, bool big_endian, std::string* out) {
  ForEachUtf16Unit(code, [&](char32_t unit) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out->push_back(big_endian ? high : low);
    out->push_back(big_endian ? low : high);
  });
}

}  // namespace ordalis
