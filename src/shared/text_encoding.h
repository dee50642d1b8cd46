// How the bytes of a source are read as characters: UTF-8, or the 8-bit code
// page (Windows-1252, one byte a character). Which one is decided for each
// source from its own bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace ordalis {

enum class TextEncoding {
  Windows1252,  // One byte, one character.
  Utf8,         // One code point, one character; a byte in no valid sequence is one too.
};

// What the user asked for: decide by the bytes, or read one way regardless.
enum class EncodingChoice { Auto, Utf8, Windows1252 };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

namespace utf8_detail {

// What a lead byte says of its sequence: its length (0 for a byte that leads
// none) and the range of the byte after it, which rules out overlong forms,
// surrogates (ED A0..BF) and values above U+10FFFF (F4 90..).
struct Lead {
  std::uint8_t length;
  std::uint8_t low;
  std::uint8_t high;
};

inline constexpr std::array<Lead, 256> kLeads = [] {
  std::array<Lead, 256> leads{};
  for (std::size_t b = 0; b < 0x80; ++b) leads[b] = {1, 0, 0xFF};
  for (std::size_t b = 0xC2; b <= 0xDF; ++b) leads[b] = {2, 0x80, 0xBF};
  for (std::size_t b = 0xE0; b <= 0xEF; ++b) leads[b] = {3, 0x80, 0xBF};
  for (std::size_t b = 0xF0; b <= 0xF4; ++b) leads[b] = {4, 0x80, 0xBF};
  leads[0xE0].low = 0xA0;
  leads[0xED].high = 0x9F;
  leads[0xF0].low = 0x90;
  leads[0xF4].high = 0x8F;
  return leads;
}();

}  // namespace utf8_detail

// The length, 1 to 4, of the valid UTF-8 sequence that `text` starts with;
// 0 when it starts with none: a continuation byte, an overlong form, a
// surrogate, a value above U+10FFFF or a sequence cut short.
// REQUIRES: `text` is not empty.
inline std::size_t Utf8SequenceLength(std::string_view text) {
  const utf8_detail::Lead lead = utf8_detail::kLeads[static_cast<unsigned char>(text[0])];
  if (lead.length <= 1) return lead.length;
  if (text.size() < lead.length) return 0;
  // Tested together, without a branch a byte at a time: data files mix
  // lengths at random, which defeats branch prediction.
  const auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const bool second = at(1) >= lead.low && at(1) <= lead.high;
  const bool third = lead.length < 3 || (at(2) & 0xC0) == 0x80;
  const bool fourth = lead.length < 4 || (at(lead.length - 1) & 0xC0) == 0x80;
  return (second & third & fourth) ? lead.length : 0;
}

// The bytes of the character that starts `text`: its whole sequence, or the
// one byte that begins no valid sequence. REQUIRES: `text` is not empty.
// Always inlined: a call per character would cost more than the work.
[[gnu::always_inline]] inline std::size_t Utf8CharacterSize(std::string_view text) {
  if (text.size() < 4) {
    const std::size_t length = Utf8SequenceLength(text);
    return length == 0 ? 1 : length;
  }
  // Reckoned from the next four bytes without a branch: walking a line a
  // character at a time, each step waits on the one before, and lengths that
  // change at random defeat branch prediction. The rules of kLeads are
  // worked out here rather than looked up: the lookup would sit on that
  // chain of waits (measured 4 % slower on a UTF-8 sort).
  std::uint32_t word;
  std::memcpy(&word, text.data(), sizeof word);
  const std::uint32_t b0 = word & 0xFF, b1 = (word >> 8) & 0xFF, b2 = (word >> 16) & 0xFF;
  const std::uint32_t b3 = word >> 24;
  const std::size_t length = 1u + (b0 >= 0xC0) + (b0 >= 0xE0) + (b0 >= 0xF0);
  const std::uint32_t low = 0x80u + 0x20u * (b0 == 0xE0 ? 1u : 0u) + 0x10u * (b0 == 0xF0 ? 1u : 0u);
  const std::uint32_t high =
      0xBFu - 0x20u * (b0 == 0xED ? 1u : 0u) - 0x30u * (b0 == 0xF4 ? 1u : 0u);
  const bool valid = (b0 >= 0xC2) & (b0 <= 0xF4) & (b1 >= low) & (b1 <= high) &
                     ((length < 3) | ((b2 & 0xC0) == 0x80)) &
                     ((length < 4) | ((b3 & 0xC0) == 0x80));
  return valid ? length : 1;
}

// The code point of a valid sequence. REQUIRES: Utf8SequenceLength(text) > 0.
char32_t DecodeUtf8(std::string_view text);

// How a source of these lines is read. With Auto: UTF-8 when the first line
// starts with a byte order mark, or when every line is valid UTF-8 and some
// character in it takes more than one byte; Windows-1252 otherwise, which
// also covers plain ASCII, where both readings agree. One pass over the bytes.
TextEncoding ChooseEncoding(std::span<const std::string_view> lines, EncodingChoice choice);

}  // namespace ordalis
