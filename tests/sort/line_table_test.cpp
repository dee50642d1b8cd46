#include "sort/line_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "support/line_tables.h"
#include "support/reference_shell_sort.h"
#include "support/temp_dir.h"
#include "text/code_page.h"

namespace ordalis {
namespace {

using testing::MakeLineTable;
using testing::ReadBytes;
using testing::ReferenceShellSort;
using testing::TempDir;
using testing::WriteBytes;

// A table of lines that hold no CR.
LineTable TableOf(const std::vector<std::u16string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += NarrowToCodePage(line) + "\r\n";
  LineTable table;
  EXPECT_TRUE(MakeLineTable(bytes, &table).ok());
  return table;
}

std::vector<std::u16string> Widened(const std::vector<std::string_view>& lines) {
  std::vector<std::u16string> widened;
  for (std::string_view line : lines) widened.push_back(WidenFromCodePage(line));
  return widened;
}

std::string Joined(const std::vector<std::u16string>& lines) {
  std::string joined;
  for (const auto& line : lines) joined += "[" + NarrowToCodePage(line) + "]";
  return joined;
}

std::string Joined(const std::vector<std::string_view>& lines) { return Joined(Widened(lines)); }

// The lines in the system's code page, as TableOf holds them.
std::vector<std::string> Narrowed(const std::vector<std::u16string>& lines) {
  std::vector<std::string> narrowed;
  for (const auto& line : lines) narrowed.push_back(NarrowToCodePage(line));
  return narrowed;
}

TEST(ShellSortLinesTest, SortsByKey) {
  struct Case {
    const char* name;
    std::vector<std::u16string> input;
    SortMode mode;
    KeyTexts texts;
    std::vector<std::u16string> expected;
  };
  const Case cases[] = {
      {"empty", {}, SortMode::LeftMost, {}, {}},
      {"one line", {u"x"}, SortMode::LeftMost, {}, {u"x"}},
      {"two lines", {u"b", u"a"}, SortMode::LeftMost, {u"1"}, {u"a", u"b"}},
      {"three lines", {u"b", u"c", u"a"}, SortMode::LeftMost, {u"1"}, {u"a", u"b", u"c"}},
      {"capitals first, digits as text",
       {u"a", u"B", u"9", u"10"},
       SortMode::LeftMost,
       {},
       {u"10", u"9", u"B", u"a"}},
      {"prefix is less", {u"abcdef", u"ab"}, SortMode::LeftMost, {u"3"}, {u"ab", u"abcdef"}},
      {"long keys differ late",
       {u"0123456789abcdefgZ", u"0123456789abcdefgA", u"0123456789abcdef"},
       SortMode::LeftMost,
       {u"20"},
       {u"0123456789abcdef", u"0123456789abcdefgA", u"0123456789abcdefgZ"}},
      {"a NUL is more than nothing",
       {std::u16string(u"ab\0", 3), u"ab"},
       SortMode::LeftMost,
       {u"3"},
       {u"ab", std::u16string(u"ab\0", 3)}},
      // All keys equal: no swap ever happens.
      {"equal keys keep input order",
       {u"a3", u"a1", u"a2"},
       SortMode::LeftMost,
       {u"1"},
       {u"a3", u"a1", u"a2"}},
      // Gap 2 swaps b1 with a2 across a1; the later passes never swap equal keys back.
      {"equal keys as the gaps leave them",
       {u"b1", u"a1", u"a2", u"a3"},
       SortMode::LeftMost,
       {u"1"},
       {u"a2", u"a1", u"a3", u"b1"}},
      {"no mode moves nothing", {u"c", u"b", u"a"}, SortMode::None, {u"abc"}, {u"c", u"b", u"a"}},
      {"middle key",
       {u"x3y", u"z1z", u"a2a"},
       SortMode::Middle,
       {u"", u"1", u"2"},
       {u"z1z", u"a2a", u"x3y"}},
      {"right-most key", {u"12b", u"34a"}, SortMode::RightMost, {u"", u"", u"2"}, {u"34a", u"12b"}},
      {"leading spaces are trimmed", {u"  b", u"a"}, SortMode::LeftMost, {u"3"}, {u"a", u"  b"}},
      // Fewer than two lines: the texts are never converted.
      {"one line with bad texts", {u"x"}, SortMode::LeftMost, {u"abc"}, {u"x"}},
  };
  for (const Case& c : cases) {
    LineTable table = TableOf(c.input);
    ASSERT_TRUE(ShellSortLines(&table, c.mode, c.texts).ok()) << c.name;
    EXPECT_EQ(Joined(table.SortLines), Joined(c.expected)) << c.name;
  }
}

TEST(ShellSortLinesTest, FailuresStopTheSortAndLeaveTheTable) {
  struct Case {
    const char* name;
    SortMode mode;
    KeyTexts texts;
    const char* message;
  };
  const Case cases[] = {
      {"left count not a number",
       SortMode::LeftMost,
       {u"abc"},
       "the left count \"abc\" is not a whole number"},
      {"middle start zero", SortMode::Middle, {u"", u"4", u"0"}, "the start column 0 is below 1"},
      {"right line too short",
       SortMode::RightMost,
       {u"", u"", u"20"},
       "line 2 is shorter than the start column 20"},
  };
  for (const Case& c : cases) {
    LineTable table = TableOf({std::u16string(25, u'z'), std::u16string(19, u'y'), u"x"});
    const Status status = ShellSortLines(&table, c.mode, c.texts);
    EXPECT_EQ(status.message(), c.message) << c.name;
    EXPECT_EQ(table.SortLines[0], std::string(25, 'z')) << c.name;
  }
}

// The order of equal keys depends on the exact sequence of gaps and swaps, so
// compare against the step-by-step sort on many random tables.
TEST(ShellSortLinesTest, MatchesTheStepByStepSortOnRandomTables) {
  std::mt19937 random(20261207);
  // Byte 0x80 (the euro sign) sorts after byte 0xFF.
  const char16_t alphabet[] = u"aAb \u20ac\u00ff";
  const SortMode modes[] = {SortMode::None, SortMode::LeftMost, SortMode::Middle,
                            SortMode::RightMost};
  const KeyTexts texts[] = {
      {u"1", u"1", u"1"}, {u"2", u"2", u"2"}, {u"3", u"2", u"3"}, {u"0", u"0", u"4.5"}};
  for (int round = 0; round < 3000; ++round) {
    const std::size_t count = random() % 40;
    std::vector<std::u16string> lines;
    for (std::size_t i = 0; i < count; ++i) {
      std::u16string line;
      const std::size_t length = random() % 7;
      for (std::size_t c = 0; c < length; ++c) line += alphabet[random() % 6];
      line += static_cast<char16_t>(u'0' + i % 10);  // Tells equal keys apart in the output.
      lines.push_back(line);
    }
    const SortMode mode = modes[random() % 4];
    const KeyTexts& key_texts = texts[random() % 4];

    std::vector<std::string> expected = Narrowed(lines);
    const Status expected_status =
        ReferenceShellSort(&expected, SystemCodePageEncoding(), mode, key_texts);
    LineTable table = TableOf(lines);
    const Status status = ShellSortLines(&table, mode, key_texts);
    ASSERT_EQ(status.ok(), expected_status.ok()) << "round " << round << ": " << Joined(lines);
    if (status.ok()) {
      ASSERT_EQ(table.SortLines, std::vector<std::string_view>(expected.begin(), expected.end()))
          << "round " << round;
    }
  }
}

TEST(ShellSortLinesTest, MatchesTheStepByStepSortOnTheWorstInputForHalvingGaps) {
  // Keys above and below the median alternate by position, so the even and odd
  // positions meet only in the last pass.
  std::vector<std::u16string> lines;
  for (int i = 0; i < 1025; ++i) {
    const int key = (i % 2 == 0) ? 500 + (i * 7) % 500 : (i * 13) % 500;
    // Three-digit keys repeat; the line number after them tells equal keys apart.
    char line[16];
    std::snprintf(line, sizeof line, "%03d %05d", key, i);
    lines.push_back(WidenFromCodePage(line));
  }
  std::vector<std::string> expected = Narrowed(lines);
  ASSERT_TRUE(
      ReferenceShellSort(&expected, SystemCodePageEncoding(), SortMode::LeftMost, {u"3"}).ok());
  LineTable table = TableOf(lines);
  ASSERT_TRUE(ShellSortLines(&table, SortMode::LeftMost, {u"3"}).ok());
  EXPECT_EQ(table.SortLines, std::vector<std::string_view>(expected.begin(), expected.end()));
}

class LineFileTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(LineFileTest, LoadsByTheLineRule) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> lines;
    bool lone_line_feed;
  };
  const Case cases[] = {
      {"empty file", "", {}, false},
      {"CR LF", "a\r\nb\r\n", {u"a", u"b"}, false},
      {"CR", "a\rb", {u"a", u"b"}, false},
      {"LF only", "a\nb\n", {u"a\nb\n"}, true},
      {"binary bytes",
       std::string("\0\x1a\xff\x80\r\n", 6),
       {std::u16string(u"\0\x1a\xff\u20ac", 4)},
       false},
  };
  for (const Case& c : cases) {
    WriteBytes(dir_.File("in"), c.bytes);
    LineTable table;
    ASSERT_TRUE(LoadLines(dir_.File("in"), &table).ok()) << c.name;
    EXPECT_EQ(Widened(table.SortLines), c.lines) << c.name;
    EXPECT_EQ(table.LastIndex, static_cast<int>(c.lines.size()) - 1) << c.name;
    EXPECT_EQ(table.lone_line_feed, c.lone_line_feed) << c.name;
  }
}

TEST_F(LineFileTest, WritesEveryLineWithCrLfAndEveryByteBack) {
  const std::string bytes("b\0\x80\xff\r\na\x1a\rc\nd", 12);
  WriteBytes(dir_.File("in"), bytes);
  LineTable table;
  ASSERT_TRUE(LoadLines(dir_.File("in"), &table).ok());
  ASSERT_TRUE(ShellSortLines(&table, SortMode::LeftMost, {u"1"}).ok());
  ASSERT_TRUE(WriteLines(dir_.File("out"), table).ok());
  EXPECT_EQ(ReadBytes(dir_.File("out")), std::string("a\x1a\r\nb\0\x80\xff\r\nc\nd\r\n", 15));
}

TEST_F(LineFileTest, HoldsAtMost10001Lines) {
  std::string source;
  for (int i = 0; i < kLineSlots; ++i) source += std::to_string(kLineSlots - i) + "\r\n";
  WriteBytes(dir_.File("full"), source);
  LineTable table;
  ASSERT_TRUE(LoadLines(dir_.File("full"), &table).ok());
  EXPECT_EQ(table.LastIndex, 10000);

  WriteBytes(dir_.File("over"), source + "x");
  const Status status = LoadLines(dir_.File("over"), &table);
  EXPECT_EQ(status.message(), "the source has more than 10001 lines");
  EXPECT_EQ(table.LastIndex, -1);
}

#if defined(__GLIBC__)
// A stream that hands out `bytes` and then fails with EIO, as a failing disk
// or a dropped network share would part way through a source.
class FailingStream {
 public:
  explicit FailingStream(std::string bytes) : bytes_(std::move(bytes)) {
    file_ = fopencookie(this, "r", {&FailingStream::Read, nullptr, nullptr, nullptr});
  }
  ~FailingStream() { std::fclose(file_); }
  std::FILE* file() const { return file_; }

 private:
  static ssize_t Read(void* cookie, char* buffer, std::size_t size) {
    auto* self = static_cast<FailingStream*>(cookie);
    if (self->bytes_.empty()) {
      errno = EIO;
      return -1;
    }
    const std::size_t taken = std::min(size, self->bytes_.size());
    std::memcpy(buffer, self->bytes_.data(), taken);
    self->bytes_.erase(0, taken);
    return static_cast<ssize_t>(taken);
  }

  std::string bytes_;
  std::FILE* file_ = nullptr;
};

TEST(LineReadErrorTest, AReadErrorAfterSomeLinesFailsTheLoad) {
  std::string lines;
  while (lines.size() <= LineReader::kBlockSize) lines += "a line before the failure\r\n";
  FailingStream stream(lines);
  LineTable table;
  const Status status = LoadLinesFromStream(stream.file(), "the stream", &table);
  EXPECT_EQ(status.message(), "cannot read the stream: Input/output error");
  EXPECT_EQ(table.LastIndex, -1);
  EXPECT_TRUE(table.SortLines.empty());
}
#endif

TEST_F(LineFileTest, LongLinesPassThrough) {
  const std::string long_line(1 << 20, 'q');
  WriteBytes(dir_.File("in"), long_line + "\r\nb");
  LineTable table;
  ASSERT_TRUE(LoadLines(dir_.File("in"), &table).ok());
  ASSERT_TRUE(ShellSortLines(&table, SortMode::RightMost, {u"", u"", u"0"}).ok());
  ASSERT_TRUE(WriteLines(dir_.File("out"), table).ok());
  EXPECT_EQ(ReadBytes(dir_.File("out")), "b\r\n" + long_line + "\r\n");
}

}  // namespace
}  // namespace ordalis
