#include "code_pages.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>

namespace ordalis {
namespace {

using Reverse = std::unordered_map<char32_t, std::uint16_t>;

// Codes to bytes, by EncodeInPage's rule.
Reverse MakeReverse(const DoubleBytePage& page) {
  Reverse reverse;
  for (unsigned lead = 0; lead < 0x100; ++lead) {
    const std::uint8_t row = page.lead_row[lead];
    for (unsigned trail = DoubleBytePage::kFirstTrail; row != 0 && trail < 0x100; ++trail) {
      const char16_t code = PairCode(page, row, static_cast<unsigned char>(trail));
      if (code != page.default_char) reverse.emplace(code, lead << 8 | trail);
    }
  }
  for (unsigned b = 0; b < 0x100; ++b) {
    if (page.lead_row[b] == 0) reverse[page.single[b]] = static_cast<std::uint16_t>(b);
  }
  reverse[page.default_char] = page.default_bytes;
  return reverse;
}

// Made on first use, once a page: the tables are large.
const Reverse& ReverseOf(const DoubleBytePage& page) {
  static std::mutex mutex;
  static std::map<const DoubleBytePage*, Reverse> made;
  const std::lock_guard<std::mutex> lock(mutex);
  auto found = made.find(&page);
  if (found == made.end()) found = made.emplace(&page, MakeReverse(page)).first;
  return found->second;
}

}  // namespace

bool EncodeInPage(const SingleBytePage& page, char32_t code, std::string* out) {
  const auto found = std::find(page.codes.begin(), page.codes.end(), code);
  if (found == page.codes.end()) return false;
  out->push_back(static_cast<char>(found - page.codes.begin()));
  return true;
}

bool EncodeInPage(const DoubleBytePage& page, char32_t code, std::string* out) {
  const Reverse& reverse = ReverseOf(page);
  const auto found = reverse.find(code);
  if (found == reverse.end()) return false;
  if (found->second > 0xFF) out->push_back(static_cast<char>(found->second >> 8));
  out->push_back(static_cast<char>(found->second & 0xFF));
  return true;
}

}  // namespace ordalis
