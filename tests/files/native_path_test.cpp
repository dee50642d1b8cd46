#include "files/native_path.h"

#include <gtest/gtest.h>

namespace ordalis {
namespace {

TEST(NativePathTest, Utf8AndUtf16RoundTrip) {
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
  }
  EXPECT_EQ(Utf8FromUtf16(u"\u00e9"), "\xC3\xA9");
  EXPECT_EQ(Utf8FromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(NativePathTest, BytesThatAreNotUtf8BecomeReplacementCharacters) {
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

TEST(NativePathTest, KnowsTheNamesWindowsKeepsForDevices) {
  for (const char* name : {"CON", "con", "aux.dat", "NUL.txt.bak", "Com1", "lpt9.log", "PRN "}) {
    EXPECT_TRUE(IsWindowsDeviceName(name)) << name;
  }
  for (const char* name :
       {"console", "auxiliary.dat", "COM0", "COM10", "LPT", "xNUL", ".nul", ""}) {
    EXPECT_FALSE(IsWindowsDeviceName(name)) << name;
  }
}

}  // namespace
}  // namespace ordalis
