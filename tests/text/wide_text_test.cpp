#include "text/wide_text.h"

#include <gtest/gtest.h>

namespace ordalis {
namespace {

TEST(WideTextTest, Utf8AndUtf16RoundTrip) {
  const std::u16string cases[] = {
      u"",
      u"plain.dat",
      u"Donn\u00e9es \u00e9t\u00e9",
      u"\u65e5\u672c\u8a9e.dat",
      u"\U0001F600 face",
      std::u16string(1, char16_t{0xD800}) + u"lone high",
      u"lone low" + std::u16string(1, char16_t{0xDC00}),
  };
  for (const std::u16string& text : cases) {
    EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(text)), text) << Utf8FromUtf16(text);
    const std::wstring wide(text.begin(), text.end());
    EXPECT_EQ(Utf8FromWide(wide), Utf8FromUtf16(text)) << Utf8FromUtf16(text);
  }
  EXPECT_EQ(Utf8FromUtf16(u"\u00e9"), "\xC3\xA9");
  EXPECT_EQ(Utf8FromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(WideFromUtf8("\xF0\x9F\x98\x80"), (std::wstring{wchar_t{0xD83D}, wchar_t{0xDE00}}));
}

TEST(WideTextTest, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  const struct {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"a\xE9z", u"a\uFFFDz"},                            // A Windows-1252 byte alone.
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // An overlong "/".
      {"\xE2\x82", u"\uFFFD\uFFFD"},                      // Cut short.
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // Beyond U+10FFFF.
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16FromUtf8(c.bytes), c.text) << c.bytes;
}

}  // namespace
}  // namespace ordalis
