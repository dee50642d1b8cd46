#include "shared/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ordalis {
namespace {

TEST(TextEncodingTest, AutoReadsUtf8OnlyWhenEveryLineIsValidAndSomeCharacterIsWide) {
  struct Case {
    const char* why;
    std::vector<std::string_view> lines;
    TextEncoding expected;
  };
  const Case cases[] = {
      {"no lines", {}, TextEncoding::Windows1252},
      {"plain ASCII reads alike either way", {"abc", "def"}, TextEncoding::Windows1252},
      {"accented letters of two bytes", {"Zo\xC3\xAB", "abc"}, TextEncoding::Utf8},
      {"three and four bytes", {"\xE6\x97\xA5", "\xF0\x9F\x98\x80"}, TextEncoding::Utf8},
      {"Windows-1252 e acute", {"caf\xE9"}, TextEncoding::Windows1252},
      {"valid but for one byte in the last line",
       {"Zo\xC3\xAB", "x\xE9"},
       TextEncoding::Windows1252},
      {"a byte order mark, whatever follows",
       {"\xEF\xBB\xBF"
        "caf\xE9"},
       TextEncoding::Utf8},
      {"a sequence cut by a line end", {"x\xC3", "\xA9"}, TextEncoding::Windows1252},
      {"an overlong slash", {"\xC0\xAF"}, TextEncoding::Windows1252},
      {"an overlong form of three bytes", {"\xE0\x80\xAF"}, TextEncoding::Windows1252},
      {"a surrogate", {"\xED\xA0\x80"}, TextEncoding::Windows1252},
      {"above U+10FFFF", {"\xF4\x90\x80\x80"}, TextEncoding::Windows1252},
      {"U+10FFFF itself", {"\xF4\x8F\xBF\xBF"}, TextEncoding::Utf8},
      {"a stray continuation byte after eight ASCII ones",
       {"abcdefgh\x80"},
       TextEncoding::Windows1252},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseEncoding(c.lines, EncodingChoice::Auto), c.expected) << c.why;
    // Asked for, a reading is taken whatever the bytes.
    EXPECT_EQ(ChooseEncoding(c.lines, EncodingChoice::Utf8), TextEncoding::Utf8) << c.why;
    EXPECT_EQ(ChooseEncoding(c.lines, EncodingChoice::Windows1252), TextEncoding::Windows1252)
        << c.why;
  }
}

}  // namespace
}  // namespace ordalis
