#include "text/detect_encoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/reference_utf8.h"
#include "text/utf8.h"

namespace ordalis {
namespace {

// The name of the encoding 8-bit `lines` are read in.
std::string_view Detected(std::span<const std::string_view> lines, EncodingChoice choice = {}) {
  return DetectEncoding(std::nullopt, lines, 0, choice)->encoding.name;
}

constexpr std::string_view kUtf8 = "UTF-8";
constexpr std::string_view kWindows1252 = "Windows-1252";

TEST(DetectEncodingTest, AutoReadsUtf8OnlyWhenEveryLineIsValidAndSomeCharacterIsWide) {
  struct Case {
    const char* why;
    std::vector<std::string_view> lines;
    std::string_view expected;  // The encoding's name.
  };
  const Case cases[] = {
      {"no lines", {}, kWindows1252},
      {"plain ASCII reads alike either way", {"abc", "def"}, kWindows1252},
      {"accented letters of two bytes", {"Zo\xC3\xAB", "abc"}, kUtf8},
      {"three and four bytes", {"\xE6\x97\xA5", "\xF0\x9F\x98\x80"}, kUtf8},
      {"Windows-1252 e acute", {"caf\xE9"}, kWindows1252},
      {"valid but for one byte in the last line", {"Zo\xC3\xAB", "x\xE9"}, kWindows1252},
      {"a byte order mark, whatever follows",
       {"\xEF\xBB\xBF"
        "caf\xE9"},
       kUtf8},
      {"a sequence cut by a line end", {"x\xC3", "\xA9"}, kWindows1252},
      {"an overlong slash", {"\xC0\xAF"}, kWindows1252},
      {"an overlong form of three bytes", {"\xE0\x80\xAF"}, kWindows1252},
      {"a surrogate", {"\xED\xA0\x80"}, kWindows1252},
      {"above U+10FFFF", {"\xF4\x90\x80\x80"}, kWindows1252},
      {"U+10FFFF itself", {"\xF4\x8F\xBF\xBF"}, kUtf8},
      {"a stray continuation byte after eight ASCII ones", {"abcdefgh\x80"}, kWindows1252},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Detected(c.lines), c.expected) << c.why;
    // Asked for, an encoding is taken whatever the bytes.
    EXPECT_EQ(Detected(c.lines, Utf8Encoding()), kUtf8) << c.why;
    EXPECT_EQ(Detected(c.lines, Windows1252Encoding()), kWindows1252) << c.why;
  }
}

// Whether `line` is all valid UTF-8; sets `*multibyte` when a sequence of
// more than one byte was met.
bool ReferenceIsUtf8(std::string_view line, bool* multibyte) {
  for (std::size_t at = 0; at < line.size();) {
    const auto sequence = testing::ReferenceUtf8At(line, at);
    if (!sequence) return false;
    *multibyte = *multibyte || sequence->first > 1;
    at += sequence->first;
  }
  return true;
}

// Lines of characters of every length, at every offset from a word's edge,
// now and then spoilt by a stray, missing or changed byte.
TEST(DetectEncodingTest, AutoAgreesWithAPlainWalkOnRandomText) {
  std::mt19937 random(20261208);
  const auto below = [&random](std::uint32_t n) {
    return static_cast<std::uint32_t>(random() % n);
  };
  for (int round = 0; round < 20000; ++round) {
    std::vector<std::string> lines(1 + below(3));
    for (std::string& line : lines) {
      for (std::uint32_t n = below(24); n > 0; --n) {
        const char32_t limits[] = {0x80, 0x800, 0x10000, 0x110000};
        AppendUtf8(below(limits[below(4)]), &line);
      }
      if (below(4) == 0 && !line.empty()) {
        const std::size_t at = below(static_cast<std::uint32_t>(line.size()));
        switch (below(3)) {
          case 0:
            line[at] = static_cast<char>(below(256));
            break;
          case 1:
            line.erase(at, 1);
            break;
          default:
            line.insert(at, 1, static_cast<char>(0x80 + below(0x80)));
            break;
        }
      }
    }
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    bool multibyte = false;
    bool valid = true;
    for (std::string_view line : views) valid = valid && ReferenceIsUtf8(line, &multibyte);
    // A byte order mark decides by itself; AppendUtf8 writes one for U+FEFF.
    if (views.front().starts_with("\xEF\xBB\xBF")) valid = multibyte = true;
    const std::string_view expected = valid && multibyte ? kUtf8 : kWindows1252;
    std::string shown;
    for (std::string_view line : views) {
      for (char c : line) shown += std::to_string(static_cast<unsigned char>(c)) + ' ';
      shown += "| ";
    }
    ASSERT_EQ(Detected(views), expected) << shown;
  }
}

}  // namespace
}  // namespace ordalis
