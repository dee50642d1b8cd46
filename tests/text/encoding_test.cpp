#include "text/encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace ordalis {
namespace {

using namespace std::string_literals;

// Each page read at its own edges, and written back to the same bytes. The
// codes are those of Microsoft's tables.
TEST(EncodingTest, EveryPageDecodesAndEncodesItsEdgeBytes) {
  const struct {
    int page;
    std::string bytes;
    char32_t code;
  } cases[] = {
      {874, "\x80", 0x20AC},     {874, "\xA0", 0x00A0},     {1250, "\xFE", 0x0163},
      {1250, "\xFF", 0x02D9},    {1251, "\x80", 0x0402},    {1251, "\xFF", 0x044F},
      {1252, "\x80", 0x20AC},    {1252, "\xFF", 0x00FF},    {1253, "\x80", 0x20AC},
      {1253, "\xFE", 0x03CE},    {1254, "\xFE", 0x015F},    {1254, "\xFF", 0x00FF},
      {1255, "\x80", 0x20AC},    {1255, "\xFE", 0x200F},    {1256, "\x80", 0x20AC},
      {1256, "\xFF", 0x06D2},    {1257, "\xFE", 0x017E},    {1257, "\xFF", 0x02D9},
      {1258, "\xFE", 0x20AB},    {1258, "\xFF", 0x00FF},    {932, "\x81\x40", 0x3000},
      {932, "\xEA\xA4", 0x7199}, {932, "\xA1", 0xFF61},     {932, "\x7F", 0x007F},
      {936, "\x81\x40", 0x4E02}, {936, "\xFE\x4F", 0xFA29}, {949, "\x81\x41", 0xAC02},
      {949, "\xFD\xFE", 0x8A70}, {950, "\xA1\x40", 0x3000}, {950, "\xF9\xFE", 0x2593},
  };
  for (const auto& c : cases) {
    const std::optional<Encoding> page = CodePageEncoding(c.page);
    ASSERT_TRUE(page) << c.page;
    const Decoded decoded = Decode(*page, c.bytes + "tail");
    EXPECT_EQ(decoded.code, c.code) << c.page << " " << c.bytes;
    EXPECT_EQ(decoded.size, c.bytes.size()) << c.page << " " << c.bytes;
    std::string encoded;
    EXPECT_TRUE(Encode(*page, c.code, &encoded)) << c.page << " " << c.bytes;
    EXPECT_EQ(encoded, c.bytes) << c.page;
  }
}

TEST(EncodingTest, UnicodeFormsDecodeAndEncode) {
  const struct {
    const char* what;
    Encoding encoding;
    std::string bytes;
    char32_t code;
    bool encodes;  // Written back to the same bytes.
  } cases[] = {
      {"UTF-8, three bytes", Utf8Encoding(), "\xE6\x97\xA5", 0x65E5, true},
      {"UTF-8, four bytes", Utf8Encoding(), "\xF0\x9F\x98\x80", 0x1F600, true},
      {"UTF-8, a byte of no sequence", Utf8Encoding(), "\xFF", Decoded::kNoCharacter, false},
      {"UTF-16LE, a pair", Utf16LeEncoding(), "\x3D\xD8\x00\xDE"s, 0x1F600, true},
      {"UTF-16BE, a pair", Utf16BeEncoding(), "\xD8\x3D\xDE\x00"s, 0x1F600, true},
      {"UTF-16LE, a lone surrogate", Utf16LeEncoding(), "\x3D\xD8"s, 0xD83D, true},
      {"UTF-16LE, an odd byte", Utf16LeEncoding(), "z", Decoded::kNoCharacter, false},
  };
  for (const auto& c : cases) {
    const Decoded decoded = Decode(c.encoding, c.bytes);
    EXPECT_EQ(decoded.code, c.code) << c.what;
    EXPECT_EQ(decoded.size, c.bytes.size()) << c.what;
    std::string encoded;
    if (c.encodes) {
      EXPECT_TRUE(Encode(c.encoding, c.code, &encoded)) << c.what;
      EXPECT_EQ(encoded, c.bytes) << c.what;
    }
  }
  std::string unused;
  EXPECT_FALSE(Encode(Utf8Encoding(), 0xD800, &unused)) << "UTF-8 holds no surrogate";
  EXPECT_FALSE(Encode(Utf16LeEncoding(), 0x110000, &unused));
  EXPECT_FALSE(Encode(Windows1252Encoding(), 0x4E00, &unused));
  EXPECT_EQ(unused, "");
}

TEST(EncodingTest, NamesAsTheCommandLineTakesThem) {
  const struct {
    const char* name;
    const char* encoding;  // nullptr: no such encoding.
  } cases[] = {
      {"utf-8", "UTF-8"},       {"utf-16le", "UTF-16LE"},
      {"utf-16be", "UTF-16BE"}, {"windows-1252", "Windows-1252"},
      {"cp1251", "cp1251"},     {"cp932", "cp932"},
      {"cp874", "cp874"},       {"CP932", nullptr},
      {"cp", nullptr},          {"cp65001", nullptr},
      {"cp1252x", nullptr},     {"cp12345", nullptr},
      {"utf8", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<Encoding> encoding = EncodingNamed(c.name);
    if (c.encoding == nullptr) {
      EXPECT_FALSE(encoding) << c.name;
    } else {
      ASSERT_TRUE(encoding) << c.name;
      EXPECT_EQ(encoding->name, c.encoding) << c.name;
    }
  }
}

TEST(EncodingTest, CodePageOfTheLocaleAsWineTakesIt) {
  const struct {
    const char* locale;
    int page;
  } cases[] = {
      {"ja_JP.UTF-8", 932},
      {"ru_RU", 1251},
      {"zh_TW", 950},
      {"zh_HK.Big5", 950},
      {"zh_CN.GB18030", 936},
      {"zh", 1252},
      {"ko_KR.EUC-KR", 949},
      {"sr_RS@latin", 1251},
      {"pt_BR.UTF-8", 1252},
      {"el_GR", 1253},
      {"C", 1252},
      {"POSIX", 1252},
      {"", 1252},
  };
  for (const auto& c : cases) EXPECT_EQ(CodePageOfLocale(c.locale), c.page) << c.locale;
}

#if !defined(_WIN32)  // Windows' own code page is GetACP().
TEST(EncodingTest, SystemCodePageFollowsLcAllThenLcCtypeThenLang) {
  const struct {
    const char* lc_all;
    const char* lc_ctype;
    const char* lang;
    int page;
  } cases[] = {
      {"", "", "ja_JP.UTF-8", 932},
      {"", "ru_RU.UTF-8", "ja_JP.UTF-8", 1251},
      {"el_GR", "ru_RU", "ja_JP", 1253},
      {"", "", "", 1252},
  };
  const auto set = [](const char* name, const char* value) {
    if (value[0] == '\0') {
      unsetenv(name);
    } else {
      setenv(name, value, 1);
    }
  };
  for (const auto& c : cases) {
    set("LC_ALL", c.lc_all);
    set("LC_CTYPE", c.lc_ctype);
    set("LANG", c.lang);
    EXPECT_EQ(SystemCodePageNumber(), c.page) << c.lc_all << "|" << c.lc_ctype << "|" << c.lang;
  }
  setenv("LC_ALL", "C", 1);  // As the tests run.
}
#endif

}  // namespace
}  // namespace ordalis
