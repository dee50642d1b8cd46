// UTF-8's rules, written once: which bytes form a character, what code point
// it is, and how a code point is written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ordalis {
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

inline constexpr unsigned char kSurrogateLead = 0xED;

}  // namespace utf8_detail

// Whether encoded surrogates (ED A0..BF) count as sequences. Text refuses
// them; names may hold them, since Windows names can hold lone surrogates
// and such a name must come back to the same UTF-16.
enum class Surrogates { Refused, Allowed };

// The length, 1 to 4, of the valid UTF-8 sequence that `text` starts with;
// 0 when it starts with none: a continuation byte, an overlong form, a
// surrogate (unless allowed), a value above U+10FFFF or a sequence cut short.
// REQUIRES: `text` is not empty. Inline: the sort asks it for every
// character of every key.
inline std::size_t Utf8SequenceLength(std::string_view text,
                                      Surrogates surrogates = Surrogates::Refused) {
  using utf8_detail::kLeads;
  using utf8_detail::kSurrogateLead;
  const auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const utf8_detail::Lead lead = kLeads[at(0)];
  if (lead.length <= 1) return lead.length;
  if (text.size() < lead.length) return 0;
  const unsigned char high =
      surrogates == Surrogates::Allowed && at(0) == kSurrogateLead ? 0xBF : lead.high;
  if (at(1) < lead.low || at(1) > high) return 0;
  for (std::size_t i = 2; i < lead.length; ++i) {
    if ((at(i) & 0xC0) != 0x80) return 0;
  }
  return lead.length;
}

// The bytes of the character that starts `text`: its whole sequence, or the
// one byte that begins no valid sequence. REQUIRES: `text` is not empty.
inline std::size_t Utf8CharacterSize(std::string_view text) {
  if (static_cast<unsigned char>(text[0]) < 0x80) return 1;
  const std::size_t length = Utf8SequenceLength(text);
  return length == 0 ? 1 : length;
}

// The code point of the sequence `text` starts with, surrogates allowed; the
// first byte's value when it starts none. REQUIRES: `text` is not empty.
char32_t DecodeUtf8(std::string_view text);

// Appends the UTF-8 form of `code` to `*out`.
void AppendUtf8(char32_t code, std::string* out);

}  // namespace ordalis
