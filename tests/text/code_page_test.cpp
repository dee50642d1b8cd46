#include "text/code_page.h"

#include <gtest/gtest.h>

namespace ordalis {
namespace {

TEST(CodePageTest, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::u16string wide = WidenFromCodePage(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(NarrowToCodePage(wide), all);
}

TEST(CodePageTest, WidensToTheCodePageCharacters) {
  struct Case {
    unsigned char byte;
    char16_t expected;
  };
  const Case cases[] = {
      {'A', u'A'},    {0x00, 0x0000}, {0x80, 0x20AC},                                  // euro sign
      {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D},  // unassigned
      {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WidenFromCodePage(std::string(1, static_cast<char>(c.byte)))[0], c.expected)
        << "byte " << int{c.byte};
  }
}

TEST(CodePageTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(NarrowToCodePage(u"a\u4e2db\u0100"), "a?b?");
}

TEST(CodePageTest, AnUnassignedPairNarrowsBackAsTheDefaultCharacter) {
  const Encoding cp932 = *CodePageEncoding(932);
  const std::u16string wide = WidenFromCodePage("\x82\x41", cp932);
  EXPECT_EQ(wide, u"\u30FB");
  EXPECT_EQ(NarrowToCodePage(wide, cp932), "\x81\x45");
  // A pair the page assigns comes back as it was: hiragana a.
  EXPECT_EQ(WidenFromCodePage("\x82\xA0", cp932), u"\u3042");
  EXPECT_EQ(NarrowToCodePage(u"\u3042", cp932), "\x82\xA0");
}

}  // namespace
}  // namespace ordalis
