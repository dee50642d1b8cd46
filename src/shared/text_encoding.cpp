#include "text_encoding.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace ordalis {
namespace {

// The words below hold a line's bytes in little-endian order, as the
// processors the program is built for do: the byte after another is the
// next higher byte of the word.
static_assert(std::endian::native == std::endian::little);

constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// Bit `bit` of each byte of `word`, moved to that byte's top bit.
constexpr std::uint64_t Bit(std::uint64_t word, int bit) { return (word << (7 - bit)) & kHighBits; }

// Eight bytes of a line, from `at`, with zero bytes past `end`.
std::uint64_t LoadWord(const char* at, const char* end) {
  std::uint64_t word = 0;
  if (end - at >= 8) {
    std::memcpy(&word, at, 8);  // A fixed size: no call to memcpy.
  } else {
    std::memcpy(&word, at, static_cast<std::size_t>(end - at));
  }
  return word;
}

// Scans one line eight bytes at a time: false at the first byte in no valid
// sequence; sets `*multibyte` when a sequence of more than one byte was met.
// A byte must be a continuation byte exactly where a lead byte before it
// calls for one, which the word's bits show all at once; only the rare lead
// bytes whose next byte has a narrower range (E0, ED, F0, F4), or that lead
// nothing valid (C0, C1, F5 to FF), are looked at one by one. Data files mix
// characters of one and more bytes at random, which would defeat the branch
// prediction of a walk a character at a time.
bool ScanUtf8(std::string_view text, bool* multibyte) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  std::uint64_t owed = 0;  // Continuation bytes that leads of the last word call for here.
  std::uint64_t leads = 0;
  for (const char* at = begin; at < end || owed != 0; at += 8) {
    const std::uint64_t word = at < end ? LoadWord(at, end) : 0;
    const std::uint64_t high = word & kHighBits;
    if ((high | owed) == 0) continue;
    const std::uint64_t b6 = Bit(word, 6);
    const std::uint64_t continuation = high & ~b6;
    const std::uint64_t lead = high & b6;
    const std::uint64_t lead3 = lead & Bit(word, 5);
    const std::uint64_t lead4 = lead3 & Bit(word, 4);
    const std::uint64_t called_for = (lead << 8) | (lead3 << 16) | (lead4 << 24) | owed;
    if (continuation != called_for) return false;
    owed = (lead >> 56) | (lead3 >> 48) | (lead4 >> 40);
    leads |= lead;

    const std::uint64_t b3 = Bit(word, 3), b2 = Bit(word, 2), b1 = Bit(word, 1), b0 = Bit(word, 0);
    const std::uint64_t low_zero = ~b3 & ~b2 & ~b1;
    const std::uint64_t special = (lead & ~Bit(word, 5) & ~Bit(word, 4) & low_zero) |  // C0 C1
                                  (lead3 & ~lead4 & low_zero & ~b0) |                  // E0
                                  (lead3 & ~lead4 & b3 & b2 & ~b1 & b0) |              // ED
                                  (lead4 & ((low_zero & ~b0) | b3 | b2));              // F0, F4..
    for (std::uint64_t rest = special; rest != 0; rest &= rest - 1) {
      const char* lead_byte = at + std::countr_zero(rest) / 8;
      if (Utf8SequenceLength(
              std::string_view(lead_byte, static_cast<std::size_t>(end - lead_byte))) == 0) {
        return false;
      }
    }
  }
  *multibyte = *multibyte || leads != 0;
  return true;
}

}  // namespace

char32_t DecodeUtf8(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<char32_t>(text[i]) & 0xFF; };
  switch (Utf8SequenceLength(text)) {
    case 2:
      return (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
    case 3:
      return (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
    case 4:
      return (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 |
             (byte(3) & 0x3F);
    default:
      return byte(0);
  }
}

TextEncoding ChooseEncoding(std::span<const std::string_view> lines, EncodingChoice choice) {
  switch (choice) {
    case EncodingChoice::Utf8:
      return TextEncoding::Utf8;
    case EncodingChoice::Windows1252:
      return TextEncoding::Windows1252;
    case EncodingChoice::Auto:
      break;
  }
  if (!lines.empty() && lines.front().starts_with(kUtf8ByteOrderMark)) return TextEncoding::Utf8;
  bool multibyte = false;
  for (std::string_view line : lines) {
    if (!ScanUtf8(line, &multibyte)) return TextEncoding::Windows1252;
  }
  return multibyte ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

}  // namespace ordalis
