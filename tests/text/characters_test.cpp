#include "text/characters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/encoding.h"

namespace ordalis {
namespace {

using namespace std::string_literals;

Encoding Cp932() { return *CodePageEncoding(932); }

// Each text with its characters counted, and where two characters on from
// its start end, in the encodings that read it so.
TEST(CharactersTest, CountsAndAdvancesByWholeCharacters) {
  const struct {
    const char* what;
    Encoding encoding;
    std::string text;
    std::size_t characters;
    std::size_t after_two;  // Advance(text, 0, 2).
  } cases[] = {
      {"Windows-1252 is a byte a character", Windows1252Encoding(), "a\xE9\xFF", 3, 2},
      {"UTF-8: one, two and three bytes", Utf8Encoding(), "a\xC3\xA9\xE6\x97\xA5", 3, 3},
      {"UTF-8: a stray lead byte and a byte of no sequence", Utf8Encoding(), "\xC3z\xFF", 3, 2},
      {"UTF-8: a sequence cut short at the end", Utf8Encoding(), "a\xE6\x97", 3, 2},
      {"UTF-16LE: a surrogate pair is one character", Utf16LeEncoding(),
       "a\0\x3D\xD8\x00\xDE"s
       "b\0"s,
       3, 6},
      {"UTF-16LE: a lone surrogate is one", Utf16LeEncoding(),
       "\x3D\xD8"s
       "b\0"s,
       2, 4},
      {"UTF-16LE: an odd byte at the end is one", Utf16LeEncoding(), "a\0z"s, 2, 3},
      {"UTF-16BE: a surrogate pair is one character", Utf16BeEncoding(), "\0a\xD8\x3D\xDE\x00"s, 2,
       6},
      {"cp932: a pair is one character", Cp932(),
       "\x82\xA0"
       "a\x82\xA2",
       3, 3},
      {"cp932: a lead byte takes any byte but NUL", Cp932(), "\x82 a", 2, 3},
      {"cp932: a lead byte before NUL stands alone", Cp932(), "\x82\0a"s, 3, 2},
      {"cp932: a lead byte at the end stands alone", Cp932(), "a\x82", 2, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CountCharacters(c.encoding, c.text), c.characters) << c.what;
    EXPECT_EQ(Advance(c.encoding, c.text, 0, 2), c.after_two) << c.what;
    EXPECT_EQ(Advance(c.encoding, c.text, 0, 100), c.text.size()) << c.what;
  }
  EXPECT_EQ(Advance(Utf8Encoding(), "a\xC3\xA9\xE6\x97\xA5", 1, 1), 3u);
}

// Only the space character goes: never a space byte that is part of one.
TEST(CharactersTest, TrimsSpaceCharactersOnly) {
  const struct {
    const char* what;
    Encoding encoding;
    std::string text;
    std::string trimmed;
  } cases[] = {
      {"Windows-1252", Windows1252Encoding(), "  a b \t ", "a b \t"},
      {"UTF-8", Utf8Encoding(), " \xC3\xA9 ", "\xC3\xA9"},
      {"all spaces", Utf8Encoding(), "   ", ""},
      {"UTF-16LE", Utf16LeEncoding(), " \0a\0 \0 \0"s, "a\0"s},
      {"UTF-16LE: U+4E20 ends in a space byte", Utf16LeEncoding(), " \0\x20\x4E"s, "\x20\x4E"},
      {"UTF-16BE: U+2000 begins with a space byte", Utf16BeEncoding(), "\x20\x00\0 "s, "\x20\x00"s},
      {"cp932: a pair ending in a space byte stays whole", Cp932(), " a\x82 ", "a\x82 "},
      {"cp932: the space after such a pair goes", Cp932(), "a\x82  ", "a\x82 "},
      {"cp932: spaces after a plain character go", Cp932(), "\x82\xA0  ", "\x82\xA0"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimSpaces(c.encoding, c.text), c.trimmed) << c.what;
}

TEST(CharactersTest, FindsOnlyLineFeedCharacters) {
  const struct {
    const char* what;
    Encoding encoding;
    std::vector<std::string> lines;  // Laid end to end, as a table holds them.
    bool holds;
  } cases[] = {
      {"none", Windows1252Encoding(), {"ab", "cd"}, false},
      {"one in the second line", Windows1252Encoding(), {"ab", "c\nd"}, true},
      {"0A after 82 is a line feed in Windows-1252", Windows1252Encoding(), {"x\x82\nz"}, true},
      {"0A after a lead byte ends its pair in cp932", Cp932(), {"x\x82\nz"}, false},
      {"a line feed after a whole pair in cp932", Cp932(), {"\x82\xA0\nz"}, true},
      {"UTF-16LE: U+4E0A holds the byte 0A", Utf16LeEncoding(), {"\x0A\x4E"}, false},
      {"UTF-16LE: a line feed unit", Utf16LeEncoding(), {"a\0\n\0"s}, true},
      {"UTF-16BE: a line feed unit", Utf16BeEncoding(), {"\0a"s, "\0\n"s}, true},
      {"no lines", Utf8Encoding(), {}, false},
  };
  for (const auto& c : cases) {
    std::string text;
    for (const std::string& line : c.lines) text += line;
    std::vector<std::string_view> views;
    std::size_t at = 0;
    for (const std::string& line : c.lines) {
      views.push_back(std::string_view(text).substr(at, line.size()));
      at += line.size();
    }
    EXPECT_EQ(HoldsLineFeed(c.encoding, views), c.holds) << c.what;
  }
}

}  // namespace
}  // namespace ordalis
