#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace ordalis {
namespace {

std::string Joined(const std::vector<std::string_view>& args) {
  std::string joined;
  for (std::string_view arg : args) {
    if (!joined.empty()) joined += ' ';
    joined += '[';
    joined += arg;
    joined += ']';
  }
  return joined.empty() ? "(no arguments)" : joined;
}

struct SortCase {
  std::vector<std::string_view> args;
  SortMode mode;
  std::string left_count;
  std::string middle_count;
  std::string start_column;
  std::string source;
  std::string target;
};

TEST(ParseCommandLineTest, ReadsASortRequest) {
  const SortCase cases[] = {
      // Nothing given: the window's design defaults.
      {{"in.dat", "out.dat"}, SortMode::LeftMost, "12", "4", "20", "in.dat", "out.dat"},
      {{"--mode", "middle", "a", "b"}, SortMode::Middle, "12", "4", "20", "a", "b"},
      {{"--mode=right-most", "a", "b"}, SortMode::RightMost, "12", "4", "20", "a", "b"},
      {{"--mode", "none", "a", "b"}, SortMode::None, "12", "4", "20", "a", "b"},
      {{"--mode", "left-most", "a", "b"}, SortMode::LeftMost, "12", "4", "20", "a", "b"},
      {{"--left-count", "3", "--middle-count=7", "--start-column", "9", "a", "b"},
       SortMode::LeftMost,
       "3",
       "7",
       "9",
       "a",
       "b"},
      // Values are passed on as typed; the engine judges them.
      {{"--left-count", "-1", "a", "b"}, SortMode::LeftMost, "-1", "4", "20", "a", "b"},
      {{"--left-count", "--mode", "a", "b"}, SortMode::LeftMost, "--mode", "4", "20", "a", "b"},
      {{"--left-count=", "a", "b"}, SortMode::LeftMost, "", "4", "20", "a", "b"},
      {{"--left-count", "", "a", "b"}, SortMode::LeftMost, "", "4", "20", "a", "b"},
      {{"--start-column= 20 cols", "a", "b"}, SortMode::LeftMost, "12", "4", " 20 cols", "a", "b"},
      {{"--start-column=a=b", "a", "b"}, SortMode::LeftMost, "12", "4", "a=b", "a", "b"},
      // The last of a repeated option counts.
      {{"--mode", "middle", "--mode", "none", "a", "b"}, SortMode::None, "12", "4", "20", "a", "b"},
      // Options may follow the operands.
      {{"a", "--mode", "middle", "b", "--left-count", "5"},
       SortMode::Middle,
       "5",
       "4",
       "20",
       "a",
       "b"},
      // After "--" everything is an operand.
      {{"--", "-x", "--help"}, SortMode::LeftMost, "12", "4", "20", "-x", "--help"},
      {{"--mode", "middle", "--", "--", "-"}, SortMode::Middle, "12", "4", "20", "--", "-"},
      // A lone "-" is an operand: standard input as SOURCE, standard output as TARGET.
      {{"-", "-"}, SortMode::LeftMost, "12", "4", "20", "-", "-"},
      {{"-", "out"}, SortMode::LeftMost, "12", "4", "20", "-", "out"},
      {{"", "out"}, SortMode::LeftMost, "12", "4", "20", "", "out"},
  };
  for (const SortCase& c : cases) {
    const CliOptions options = ParseCommandLine(c.args);
    EXPECT_EQ(options.action, CliAction::Sort) << Joined(c.args) << ": " << options.error;
    EXPECT_EQ(options.mode, c.mode) << Joined(c.args);
    EXPECT_EQ(options.left_count, c.left_count) << Joined(c.args);
    EXPECT_EQ(options.middle_count, c.middle_count) << Joined(c.args);
    EXPECT_EQ(options.start_column, c.start_column) << Joined(c.args);
    EXPECT_EQ(options.source, c.source) << Joined(c.args);
    EXPECT_EQ(options.target, c.target) << Joined(c.args);
  }
}

struct ActionCase {
  std::vector<std::string_view> args;
  CliAction action;
};

TEST(ParseCommandLineTest, HelpAndVersionWinWhereTheyStand) {
  const ActionCase cases[] = {
      {{"--help"}, CliAction::Help},
      {{"--version"}, CliAction::Version},
      {{"a", "b", "--help"}, CliAction::Help},
      {{"--version", "--help"}, CliAction::Version},
      {{"a", "--show-keys"}, CliAction::ShowKeys},
      {{"--help", "--bogus"}, CliAction::Help},
      // A mistake met first is reported first.
      {{"--bogus", "--help"}, CliAction::UsageError},
      {{"--", "--help"}, CliAction::UsageError},
  };
  for (const ActionCase& c : cases) {
    const CliOptions options = ParseCommandLine(c.args);
    EXPECT_EQ(options.action, c.action) << Joined(c.args) << ": " << options.error;
  }
}

struct ErrorCase {
  std::vector<std::string_view> args;
  std::string error;
};

TEST(ParseCommandLineTest, ExplainsAWrongCommandLineInOneLine) {
  const ErrorCase cases[] = {
      {{}, "missing SOURCE and TARGET"},
      {{"only"}, "missing TARGET after 'only'"},
      {{"a", "b", "c"}, "unexpected operand 'c'"},
      {{"--", "a", "b", "c"}, "unexpected operand 'c'"},
      {{"--bogus", "a", "b"}, "unknown option '--bogus'"},
      {{"--bogus=1", "a", "b"}, "unknown option '--bogus'"},
      // Only the long names exist; a file whose name starts with '-' goes after "--".
      {{"-x", "a", "b"}, "unknown option '-x'"},
      {{"-h"}, "unknown option '-h'"},
      // No abbreviations: a later option could make them ambiguous.
      {{"--mod", "middle", "a", "b"}, "unknown option '--mod'"},
      {{"a", "b", "--mode"}, "option '--mode' needs a value"},
      {{"a", "b", "--left-count"}, "option '--left-count' needs a value"},
      {{"a", "b", "--middle-count"}, "option '--middle-count' needs a value"},
      {{"a", "b", "--start-column"}, "option '--start-column' needs a value"},
      {{"--mode", "sideways", "a", "b"},
       "unknown mode 'sideways'; use left-most, middle, right-most or none"},
      {{"--mode=", "a", "b"}, "unknown mode ''; use left-most, middle, right-most or none"},
      {{"--mode", "Middle", "a", "b"},
       "unknown mode 'Middle'; use left-most, middle, right-most or none"},
      {{"--help=yes"}, "option '--help' takes no value"},
      {{"--version="}, "option '--version' takes no value"},
      {{"--show-keys"}, "missing SOURCE"},
      {{"--show-keys", "a", "b"}, "unexpected operand 'b'; --show-keys writes no TARGET"},
      {{"--show-keys=yes", "a"}, "option '--show-keys' takes no value"},
      {{"--encoding", "latin1", "a", "b"},
       "unknown encoding 'latin1'; use auto, utf-8, utf-16le, utf-16be, windows-1252, or a code "
       "page: cp874, cp1250 to cp1258, cp932, cp936, cp949 or cp950"},
      {{"a", "b", "--encoding"}, "option '--encoding' needs a value"},
  };
  for (const ErrorCase& c : cases) {
    const CliOptions options = ParseCommandLine(c.args);
    EXPECT_EQ(options.action, CliAction::UsageError) << Joined(c.args);
    EXPECT_EQ(options.error, c.error) << Joined(c.args);
    EXPECT_EQ(options.error.find('\n'), std::string::npos) << Joined(c.args);
  }
}

TEST(UsageTextTest, NamesEveryOptionAndMode) {
  const std::string usage = UsageText();
  for (std::string_view word : {"Usage: ordalis-sort", "SOURCE TARGET",  "--mode",
                                "--left-count",        "--middle-count", "--start-column",
                                "--encoding",          "utf-8",          "windows-1252",
                                "--show-keys",         "--help",         "--version",
                                "Exit status:",        "left-most",      "middle",
                                "right-most",          "none",           "default 12",
                                "default 4",           "default 20"}) {
    EXPECT_NE(usage.find(word), std::string::npos) << word;
  }
  ASSERT_FALSE(usage.empty());
  EXPECT_EQ(usage.back(), '\n');
}

}  // namespace
}  // namespace ordalis
