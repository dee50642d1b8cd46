#include "sort/sort_key.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "sort/line_table.h"
#include "support/line_tables.h"

namespace ordalis {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(WholeNumberTest, ReadsDecimalNumbersAsAWhole) {
  struct Case {
    const char16_t* text;
    std::optional<std::int32_t> expected;
  };
  const Case cases[] = {
      {u"12", 12},
      {u"  12  ", 12},
      {u"+7", 7},
      {u"-3", -3},
      {u"-0", 0},
      {u"007", 7},
      {u"12.5", 12},  // Halves go to the even neighbour.
      {u"13.5", 14},
      {u"-2.5", -2},
      {u"2.4999", 2},
      {u"2.", 2},
      {u".6", 1},
      {u"1e3", 1000},
      {u"1E+2", 100},
      {u"15e-1", 2},
      {u"1e-400", 0},  // Underflows to zero.
      {u"2147483647", 2147483647},
      {u"-2147483648", -2147483647 - 1},
      {u"2147483647.5", std::nullopt},  // Rounds out of range.
      {u"99999999999", std::nullopt},
      {u"1e309", std::nullopt},
      {u"", std::nullopt},
      {u"   ", std::nullopt},
      {u"abc", std::nullopt},
      {u"20 cols", std::nullopt},
      {u"1 2", std::nullopt},
      {u"\t12", std::nullopt},  // Only spaces may surround the number.
      {u"0x10", std::nullopt},
      {u"1,000", std::nullopt},
      {u"$5", std::nullopt},
      {u"1e", std::nullopt},
      {u"-", std::nullopt},
      {u".", std::nullopt},
      {u"inf", std::nullopt},
      {u"nan", std::nullopt},
      {u"\uff11", std::nullopt},  // A full-width digit is not a decimal digit here.
  };
  for (const Case& c : cases) EXPECT_EQ(WholeNumber(c.text), c.expected) << Narrow(c.text);
}

TEST(NumberTest, ValuesBeyondADoubleAreHugeOrZeroAsWritten) {
  const std::u16string tiny = u"0." + std::u16string(400, u'0') + u"1";  // 1e-401
  const std::u16string huge = std::u16string(400, u'9');
  const std::u16string huge_fraction = u"0.00" + std::u16string(400, u'9') + u"e500";
  EXPECT_EQ(WholeNumber(tiny), std::optional<std::int32_t>(0));
  EXPECT_EQ(WholeNumber(u"-" + tiny), std::optional<std::int32_t>(0));
  EXPECT_EQ(WholeNumber(huge), std::nullopt);
  EXPECT_DOUBLE_EQ(LenientNumber(tiny), 0);
  EXPECT_TRUE(std::isinf(LenientNumber(huge)));
  EXPECT_TRUE(std::isinf(LenientNumber(huge_fraction)));
  EXPECT_LT(LenientNumber(u"-" + huge), 0);
  EXPECT_DOUBLE_EQ(LenientNumber(u"1" + std::u16string(400, u'0') + u"e-800"), 0);
}

TEST(LenientNumberTest, TakesTheLeadingNumberAndIgnoresTheRest) {
  struct Case {
    const char16_t* text;
    double expected;
  };
  const Case cases[] = {
      {u"20", 20},     {u"20 cols", 20}, {u"", 0},      {u"abc", 0},
      {u" 2 0", 20},  // Spaces are skipped wherever they stand.
      {u"\t1\n5", 15}, {u"-4.5x", -4.5}, {u"+.5", 0.5}, {u"1.2.3", 1.2},
      {u"1e2", 100},   {u"1e", 1},  // An exponent without digits is not part of the number.
      {u"1e+", 1},     {u"2E-1", 0.2},   {u"0x10", 0},  // No hexadecimal.
      {u"-", 0},       {u"1e-999", 0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(LenientNumber(c.text), c.expected) << Narrow(c.text);
  EXPECT_TRUE(std::isinf(LenientNumber(u"1e999")));
  EXPECT_LT(LenientNumber(u"-1e999"), 0);
}

struct KeyCase {
  const char* name;
  SortMode mode;
  KeyTexts texts;
  const char* line;
  const char* expected;  // nullptr: the run stops.
};

// The key of one line, from the mode and the box texts as they stand.
Status KeyOf(std::string_view line, SortMode mode, const KeyTexts& texts, std::string_view* key) {
  KeyParameters params;
  if (Status s = ParseKeyParameters(mode, texts, &params); !s.ok()) return s;
  const KeyCut cut = MakeSortKey(line, params, Windows1252Encoding(), key);
  if (cut == KeyCut::kCut) return Status::Ok();
  return Status::Error(Status::Code::kKeyNotCut, KeyCutMessage(cut, 1, params));
}

TEST(MakeSortKeyTest, CutsAndTrimsTheKeyOfEachMode) {
  const KeyCase cases[] = {
      {"left three of a long line", SortMode::LeftMost, {u"3", u"4", u"20"}, "abcdef", "abc"},
      {"left count past the end", SortMode::LeftMost, {u"3", u"4", u"20"}, "ab", "ab"},
      {"left count zero", SortMode::LeftMost, {u"0", u"4", u"20"}, "abc", ""},
      {"left count rounds", SortMode::LeftMost, {u"2.5", u"4", u"20"}, "abcdef", "ab"},
      {"left trims spaces only", SortMode::LeftMost, {u"5", u"4", u"20"}, "  X\t ", "X\t"},
      {"middle inside the line", SortMode::Middle, {u"12", u"3", u"2"}, "abcdef", "bcd"},
      {"middle start past the end", SortMode::Middle, {u"12", u"4", u"20"}, "0123456789", ""},
      {"middle runs off the end", SortMode::Middle, {u"12", u"4", u"5"}, "abcdef", "ef"},
      {"middle count zero", SortMode::Middle, {u"12", u"0", u"1"}, "abc", ""},
      {"right drops the first columns",
       SortMode::RightMost,
       {u"12", u"4", u"20"},
       "0123456789abcdefghijKLMNO",
       "KLMNO"},
      {"right with an empty start", SortMode::RightMost, {u"12", u"4", u""}, "  whole  ", "whole"},
      {"right with lenient text", SortMode::RightMost, {u"12", u"4", u"2 cols"}, "abcd", "cd"},
      {"right negative start keeps all", SortMode::RightMost, {u"12", u"4", u"-3"}, "ab", "ab"},
      {"right start equal to the length", SortMode::RightMost, {u"12", u"4", u"3"}, "abc", ""},
      {"right 20.4 on 20 characters",
       SortMode::RightMost,
       {u"12", u"4", u"20.4"},
       "01234567890123456789",
       ""},
      {"right half rounds to even", SortMode::RightMost, {u"12", u"4", u"0.5"}, "abc", "bc"},
      {"no mode cuts nothing", SortMode::None, {u"abc", u"x", u"y"}, "abc", ""},
      {"left count not a number", SortMode::LeftMost, {u"abc", u"4", u"20"}, "abc", nullptr},
      {"left count empty", SortMode::LeftMost, {u"", u"4", u"20"}, "abc", nullptr},
      {"left count negative", SortMode::LeftMost, {u"-1", u"4", u"20"}, "abc", nullptr},
      {"middle start zero", SortMode::Middle, {u"12", u"4", u"0"}, "abc", nullptr},
      {"middle count negative", SortMode::Middle, {u"12", u"-1", u"1"}, "abc", nullptr},
      {"middle lenient text is refused",
       SortMode::Middle,
       {u"12", u"4", u"20 cols"},
       "abc",
       nullptr},
      {"right line shorter than start",
       SortMode::RightMost,
       {u"12", u"4", u"20"},
       "0123456789012345678",
       nullptr},
      {"right start far below zero", SortMode::RightMost, {u"12", u"4", u"-1e10"}, "abc", nullptr},
      {"right start infinite", SortMode::RightMost, {u"12", u"4", u"1e999"}, "abc", nullptr},
  };
  for (const KeyCase& c : cases) {
    std::string_view key = "stale";
    const Status status = KeyOf(c.line, c.mode, c.texts, &key);
    if (c.expected == nullptr) {
      // A box text the mode cannot use, or a line it cannot cut.
      EXPECT_TRUE(status.code() == Status::Code::kBadNumber ||
                  (c.mode == SortMode::RightMost && status.code() == Status::Code::kKeyNotCut))
          << c.name;
      EXPECT_FALSE(status.message().empty()) << c.name;
    } else {
      ASSERT_TRUE(status.ok()) << c.name << ": " << status.message();
      EXPECT_EQ(key, c.expected) << c.name;
    }
  }
}

TEST(MakeSortKeyTest, FailureMessagesNameTheParameter) {
  std::string_view key;
  EXPECT_EQ(KeyOf("x", SortMode::LeftMost, {u"abc", u"4", u"20"}, &key).message(),
            "the left count \"abc\" is not a whole number");
  EXPECT_EQ(KeyOf("x", SortMode::Middle, {u"1", u"x", u"2"}, &key).message(),
            "the middle count \"x\" is not a whole number");
  EXPECT_EQ(KeyOf("x", SortMode::Middle, {u"1", u"4", u"0"}, &key).message(),
            "the start column 0 is below 1");
  EXPECT_EQ(KeyOf("x", SortMode::RightMost, {u"1", u"4", u"20"}, &key).message(),
            "line 1 is shorter than the start column 20");
  EXPECT_EQ(KeyOf("x", SortMode::RightMost, {u"1", u"4", u"1e999"}, &key).message(),
            "line 1 is shorter than the start column \"1e999\"");
}

// Keys as code-page bytes, each above the one before it in the order the
// program sorts by: the characters' 16-bit codes, not the bytes' values.
const std::string_view kAscendingKeys[] = {
    "",
    "10",  // Digits are characters, not numbers.
    "9",
    "B",  // Capitals come first.
    "Z",
    "a",
    "aaaaaaaaaB",  // Differs at the tenth character.
    "aaaaaaaaaa",
    "aaaaaaaaaaaaaaaaaaB",  // Differs past the sixteenth.
    "aaaaaaaaaaaaaaaaaaa",
    "aaaaaaaaaaaaaaaaa\x9C",  // U+0153 past the sixteenth ...
    "aaaaaaaaaaaaaaaaa\x8A",  // ... before U+0160, although 0x9C > 0x8A.
    "ab",
    "abc",  // A prefix is less.
    "\x7F",
    "\x81",  // Unassigned: stands for U+0081.
    "\xA0",
    "\xE9",
    "\xFF",  // U+00FF ...
    "\x9C",  // ... U+0153 ...
    "\x8A",  // ... U+0160 ...
    "\x80",  // ... and the euro sign, U+20AC, last.
};

std::string Printable(std::string_view bytes) {
  std::string text = "\"";
  for (char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      text += hex;
    }
  }
  return text + "\"";
}

TEST(KeyOrderTest, CodePageKeysSortByTheirCharacters) {
  // Each line is a marker and its key; Middle from column 2 cuts the key.
  const std::size_t n = std::size(kAscendingKeys);
  const KeyTexts texts{u"12", u"40", u"2"};
  // Reversed, and shuffled (7 and n share no factor).
  std::vector<std::size_t> reversed, shuffled;
  for (std::size_t i = 0; i < n; ++i) {
    reversed.push_back(n - 1 - i);
    shuffled.push_back(i * 7 % n);
  }
  for (const auto& order : {reversed, shuffled}) {
    const std::string name = order == reversed ? "reversed" : "shuffled";
    std::string bytes;
    for (std::size_t i : order) bytes += "#" + std::string(kAscendingKeys[i]) + "\r\n";
    LineTable table;
    ASSERT_TRUE(testing::MakeLineTable(bytes, &table).ok());
    ASSERT_TRUE(ShellSortLines(&table, SortMode::Middle, texts).ok()) << name;
    ASSERT_EQ(table.SortLines.size(), n);
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_EQ(table.SortLines[i], "#" + std::string(kAscendingKeys[i]))
          << name << ", place " << i << ": " << Printable(table.SortLines[i]);
    }
  }
}

}  // namespace
}  // namespace ordalis
