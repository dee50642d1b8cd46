// The readings of the Windows code pages: one byte a character, or one and
// two bytes, coded as the page's table says.
#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "code_page_tables.h"
#include "text_reading.h"

namespace ordalis {
namespace {

std::string PageName(int number) { return "cp" + std::to_string(number); }

class SingleBytePageReading final : public TextReading {
 public:
  SingleBytePageReading(const SingleBytePage& page, std::string name)
      : page_(page), name_(std::move(name)) {
    // Each byte's place among the page's codes; bytes of one code share it.
    std::array<char16_t, 256> sorted = page.codes;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t b = 0; b < 256; ++b) {
      const auto place = std::lower_bound(sorted.begin(), sorted.end(), page.codes[b]);
      places_[b] = static_cast<std::uint8_t>(place - sorted.begin());
    }
  }

  std::string_view Name() const override { return name_; }
  std::size_t CharacterSize(std::string_view) const override { return 1; }
  std::size_t Advance(std::string_view line, std::size_t from, std::size_t count) const override {
    return count >= line.size() - from ? line.size() : from + count;
  }
  std::size_t CountCharacters(std::string_view line) const override { return line.size(); }
  std::optional<char32_t> CodePoint(std::string_view character) const override {
    return page_.codes[static_cast<unsigned char>(character[0])];
  }
  bool Encode(char32_t code, std::string* out) const override {
    const auto found = std::find(page_.codes.begin(), page_.codes.end(), code);
    if (found == page_.codes.end()) return false;
    out->push_back(static_cast<char>(found - page_.codes.begin()));
    return true;
  }
  void AppendOrderBytes(std::string_view key, std::string* out) const override {
    const std::size_t start = out->size();
    out->resize(start + key.size());
    char* const to = out->data() + start;
    for (std::size_t i = 0; i < key.size(); ++i) {
      to[i] = static_cast<char>(places_[static_cast<unsigned char>(key[i])]);
    }
  }
  const std::array<std::uint8_t, 256>* OrderByteMap() const override { return &places_; }

 private:
  const SingleBytePage& page_;
  std::string name_;
  std::array<std::uint8_t, 256> places_{};
};

class DoubleBytePageReading final : public WalkedReading<DoubleBytePageReading> {
 public:
  explicit DoubleBytePageReading(const DoubleBytePage& page)
      : page_(page), name_(PageName(page.number)) {}

  std::string_view Name() const override { return name_; }
  // The bytes of the character that starts `text`: 2 for a pair, 1 else.
  std::size_t SizeAt(std::string_view text) const { return PairAt(text) != 0 ? 2 : 1; }
  std::optional<char32_t> CodePoint(std::string_view character) const override {
    return CodeAt(character);
  }
  bool Encode(char32_t code, std::string* out) const override {
    std::call_once(reverse_made_, [this] { MakeReverse(); });
    const auto found = reverse_.find(code);
    if (found == reverse_.end()) return false;
    if (found->second > 0xFF) out->push_back(static_cast<char>(found->second >> 8));
    out->push_back(static_cast<char>(found->second & 0xFF));
    return true;
  }
  void AppendOrderBytes(std::string_view key, std::string* out) const override {
    // Every character as its 16-bit code, high byte first, written in place.
    const std::size_t start = out->size();
    out->resize(start + 2 * key.size());
    char* to = out->data() + start;
    for (std::size_t at = 0; at < key.size();) {
      const std::size_t size = SizeAt(key.substr(at));
      const char16_t code = CodeAt(key.substr(at, size));
      *to++ = static_cast<char>(code >> 8);
      *to++ = static_cast<char>(code & 0xFF);
      at += size;
    }
    out->resize(static_cast<std::size_t>(to - out->data()));
  }

 private:
  // The code of the pair that starts `text`, or 0 when it starts none: a
  // lead byte at the end, before a byte that cannot follow it, or in a pair
  // the page leaves unassigned is a character of its own.
  char16_t PairAt(std::string_view text) const {
    if (text.size() < 2) return 0;
    const std::uint8_t row = page_.lead_row[static_cast<unsigned char>(text[0])];
    const auto trail = static_cast<unsigned char>(text[1]);
    if (row == 0 || trail < DoubleBytePage::kFirstTrail) return 0;
    return page_.pairs[row - 1][trail - DoubleBytePage::kFirstTrail];
  }
  char16_t CodeAt(std::string_view character) const {
    if (character.size() == 2) return PairAt(character);
    return page_.single[static_cast<unsigned char>(character[0])];
  }
  // Codes to bytes: the first pair of a code that has two, and single bytes
  // only where they are no lead byte, so that what is written reads back.
  void MakeReverse() const {
    for (unsigned lead = 0xFF; lead > 0; --lead) {
      const std::uint8_t row = page_.lead_row[lead];
      for (unsigned trail = 0xFF; row != 0 && trail >= DoubleBytePage::kFirstTrail; --trail) {
        const char16_t code = page_.pairs[row - 1][trail - DoubleBytePage::kFirstTrail];
        if (code != 0) reverse_[code] = static_cast<std::uint16_t>(lead << 8 | trail);
      }
    }
    for (unsigned b = 0; b < 0x100; ++b) {
      if (page_.lead_row[b] == 0) reverse_[page_.single[b]] = static_cast<std::uint16_t>(b);
    }
  }

  const DoubleBytePage& page_;
  std::string name_;
  mutable std::once_flag reverse_made_;
  mutable std::unordered_map<char32_t, std::uint16_t> reverse_;
};

}  // namespace

// The reading of the code page `number`, or nullptr when it has no table.
const TextReading* CodePageReading(int number) {
  // Made on first use, each once: the tables are large.
  static const std::array<int, 14> kPages = {874,  1250, 1251, 1252, 1253, 1254, 1255,
                                             1256, 1257, 1258, 932,  936,  949,  950};
  static std::array<std::unique_ptr<TextReading>, kPages.size()> readings;
  static std::once_flag made[kPages.size()];
  const auto index = std::find(kPages.begin(), kPages.end(), number) - kPages.begin();
  if (index == static_cast<std::ptrdiff_t>(kPages.size())) return nullptr;
  const auto i = static_cast<std::size_t>(index);
  std::call_once(made[i], [i] {
    const int page = kPages[i];
    if (const SingleBytePage* single = FindSingleBytePage(page)) {
      readings[i] = std::make_unique<SingleBytePageReading>(
          *single, page == 1252 ? std::string("Windows-1252") : PageName(page));
    } else if (const DoubleBytePage* pairs = FindDoubleBytePage(page)) {
      readings[i] = std::make_unique<DoubleBytePageReading>(*pairs);
    }
  });
  return readings[i].get();
}

const TextReading& Windows1252Reading() { return *CodePageReading(1252); }

}  // namespace ordalis
