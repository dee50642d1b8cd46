// Runs the real ordalis-sort binary and checks what a script sees: the exit
// status, the lines on standard error and the bytes of the target. On Windows
// the cases that rest on POSIX alone (permission bits, symbolic links, a
// file-size limit, /dev/full) skip and say why.
#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "files/names.h"
#include "support/child_process.h"
#include "support/platform.h"
#include "support/temp_dir.h"
#include "support/visible.h"
#include "window/logic/windows_command_line.h"

namespace {

namespace fs = std::filesystem;
using ordalis::NameOf;
using ordalis::PathOf;

constexpr char kBinary[] = ORDALIS_SORT_PATH;
constexpr char kPrefix[] = "ordalis-sort: ";
constexpr char kHint[] = "Try 'ordalis-sort --help' for more information.\n";
constexpr char kPrecious[] = "an older target that must survive\r\n";

using RunResult = ordalis::testing::ChildRun;

std::string Describe(const std::vector<std::string>& args) {
  std::string text = "ordalis-sort";
  for (const std::string& arg : args) text += " [" + arg + "]";
  return text;
}

using ordalis::testing::Visible;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << "cannot write the fixture file " << path;
}

std::string Repeat(const std::string& line, int times) {
  std::string bytes;
  for (int i = 0; i < times; ++i) bytes += line;
  return bytes;
}

struct SortCase {
  const char* why;
  std::vector<std::string> options;
  std::string input;
  std::string expected;
  // Where the case is about the user's language, the locale variables set
  // ("LANG=ja_JP.UTF-8", or "LC_ALL=... LANG=..."); the others are unset.
  const char* locale = nullptr;
};

class OrdalisSortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = root_ / "work";
    fs::create_directory(work_);
  }

  // Runs `program` with `args` in `cwd` (the work folder by default),
  // capturing both output streams; `input`, when given, is standard input.
  RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                       const fs::path& cwd = {}, const std::string* input = nullptr,
                       [[maybe_unused]] const char* locale = nullptr) {
    ordalis::testing::ChildSetup setup;
    setup.folder = cwd.empty() ? work_ : cwd;
#if !defined(_WIN32)
    if (locale != nullptr) {
      setup.in_child = [locale] {
        for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) unsetenv(variable);
        std::istringstream settings(locale);
        for (std::string setting; settings >> setting;) {
          const std::size_t equals = setting.find('=');
          setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1);
        }
      };
    }
#endif
    if (input != nullptr) {
      setup.input = root_ / "stdin";
      WriteFile(setup.input, *input);
    }
    RunResult run = ordalis::testing::RunChild(program, args, setup);
    if (run.status < 0) ADD_FAILURE() << "cannot run " << program << ": " << run.err;
    return run;
  }

  RunResult Sort(const std::vector<std::string>& args, const fs::path& cwd = {}) {
    return RunProgram(kBinary, args, cwd);
  }

  RunResult SortWithInput(const std::vector<std::string>& args, const std::string& input) {
    return RunProgram(kBinary, args, {}, &input);
  }

  // The names in the work folder, so a stray temporary file shows up.
  std::set<std::string> WorkFiles() const {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(work_)) {
      names.insert(NameOf(entry.path().filename()));
    }
    return names;
  }

  std::string Source(const std::string& bytes, const std::string& name = "source.txt") {
    WriteFile(work_ / PathOf(name), bytes);
    return NameOf(work_ / PathOf(name));
  }

  // Sorts `c.input` with `c.options` into a target and checks its bytes,
  // the source's and a silent success.
  void ExpectSorted(const SortCase& c) {
    SCOPED_TRACE(c.why);
    if (c.locale != nullptr && !ordalis::testing::kIsPosix) return;  // Windows has GetACP.
    const std::string source = Source(c.input);
    const std::string target = (work_ / "target.txt").string();
    std::vector<std::string> args = c.options;
    args.push_back(source);
    args.push_back(target);
    const RunResult run = RunProgram(kBinary, args, {}, nullptr, c.locale);
    EXPECT_EQ(run.status, 0) << Describe(args) << "\n" << run.err;
    EXPECT_EQ(run.err, "") << Describe(args);
    EXPECT_EQ(run.out, "") << Describe(args);
    EXPECT_EQ(Visible(ReadFile(target)), Visible(c.expected)) << Describe(args);
    EXPECT_EQ(ReadFile(source), c.input) << "the source changed: " << Describe(args);
    fs::remove(target);
  }

  ordalis::testing::TempDir temp_;
  const fs::path& root_ = temp_.path();
  fs::path work_;
};

std::string Listing(const std::set<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += " [" + name + "]";
  return text;
}

// ---------------------------------------------------------------- success --

TEST_F(OrdalisSortTest, WritesTheSortedLinesWithCrLfInEveryMode) {
  const SortCase cases[] = {
      {"the default key is the first 12 characters; the 13th does not count, and equal keys "
       "keep the order the Shell sort leaves them in",
       {},
       "same-prefixZ-b\r\nsame-prefixZ-a\r\nsame-prefixA-z\r\n",
       "same-prefixA-z\r\nsame-prefixZ-b\r\nsame-prefixZ-a\r\n"},
      {"left-most 3: a prefix sorts first and capitals come before small letters",
       {"--left-count", "3"},
       "cat 3\r\nab 2\r\nabc 1\r\nB 4",
       "B 4\r\nab 2\r\nabc 1\r\ncat 3\r\n"},
      {"left-most 4: the key loses its surrounding spaces",
       {"--mode", "left-most", "--left-count", "4"},
       "  b x\r\na   y\r\n",
       "a   y\r\n  b x\r\n"},
      {"left-most counts 10 before 9: characters, not numbers",
       {"--left-count", "2"},
       "9\r\n10\r\n",
       "10\r\n9\r\n"},
      {"middle from column 3 for 2, CR-only input; a line too short has an empty key",
       {"--mode", "middle", "--start-column", "3", "--middle-count", "2"},
       "xx22yy\raa11zz\rbb33\rc\r",
       "c\r\naa11zz\r\nxx22yy\r\nbb33\r\n"},
      {"the same with --name=value",
       {"--mode=middle", "--start-column=3", "--middle-count=2"},
       "xx22yy\raa11zz\rbb33\rc\r",
       "c\r\naa11zz\r\nxx22yy\r\nbb33\r\n"},
      {"middle 12.5 rounds to 12 (halves to even) and 1.5 to 2",
       {"--mode", "middle", "--start-column", "1.5", "--middle-count", "2.5"},
       "xba\r\nyab\r\n",
       "yab\r\nxba\r\n"},
      {"right-most 4 drops the first 4 characters; a line of exactly 4 has an empty key",
       {"--mode", "right-most", "--start-column", "4"},
       "abc 9\r\nxyz 1\r\nmno 5 \r\npqr \r\n",
       "pqr \r\nxyz 1\r\nmno 5 \r\nabc 9\r\n"},
      {"right-most reads the leading number of its text and ignores the rest",
       {"--mode", "right-most", "--start-column", "3 cols"},
       "zz b\r\naa a\r\n",
       "aa a\r\nzz b\r\n"},
      {"right-most with an empty text drops nothing: the whole line is the key",
       {"--mode", "right-most", "--start-column", ""},
       "b\r\na\r\n",
       "a\r\nb\r\n"},
      {"right-most with text that holds no number reads 0",
       {"--mode", "right-most", "--start-column", "abc"},
       "b\r\na\r\n",
       "a\r\nb\r\n"},
      {"right-most with -0 drops nothing",
       {"--mode", "right-most", "--start-column", "-0"},
       "b\r\na\r\n",
       "a\r\nb\r\n"},
      {"left-most -0 is 0: every key is empty, nothing moves",
       {"--left-count", "-0"},
       "b\r\na\r\nc\r\n",
       "b\r\na\r\nc\r\n"},
      {"no mode: nothing moves and the last line gets its CR LF",
       {"--mode", "none"},
       "b\r\na\r\nc",
       "b\r\na\r\nc\r\n"},
      {"no mode never reads the texts, however bad",
       {"--mode", "none", "--left-count", "abc", "--start-column", "-5"},
       "b\r\na\r\n",
       "b\r\na\r\n"},
      {"one line makes no comparison, so a bad text cannot stop the run",
       {"--left-count", "abc"},
       "only",
       "only\r\n"},
      {"an empty source gives an empty target", {"--left-count", "abc"}, "", ""},
  };
  for (const SortCase& c : cases) ExpectSorted(c);
}

// The same person's table, names padded to 10 characters and cities to 10.
const std::string kJagermeier = "J\xC3\xA4germeierAthens      4\r\n";
const std::string kSmith = "Smith     Berlin      1\r\n";
const std::string kDvorak = "Dvo\xC5\x99\xC3\xA1k    Praha       2\r\n";
const std::string kZoe = "Zo\xC3\xAB       Oslo        5\r\n";
const std::string kLee = "Lee       Paris       3\r\n";
const std::string kNames = kJagermeier + kSmith + kDvorak + kZoe + kLee;

TEST_F(OrdalisSortTest, CountsColumnsInCharactersOfUtf8AndInBytesOtherwise) {
  const std::string kBom = "\xEF\xBB\xBF";
  const std::string kNearlyUtf8 =
      "Zo\xC3\xAB"
      "2\r\nZo\xC3\xAB"
      "1\r\n\xE9x\r\n";
  const SortCase cases[] = {
      {"the city column of UTF-8 text: an accented letter is one column",
       {"--mode", "middle", "--middle-count", "6", "--start-column", "11"},
       kNames,
       kJagermeier + kSmith + kZoe + kLee + kDvorak},
      {"the same read a byte a character cuts rAthen and Prah",
       {"--mode", "middle", "--middle-count", "6", "--start-column", "11", "--encoding",
        "windows-1252"},
       kNames,
       kSmith + kZoe + kLee + kDvorak + kJagermeier},
      {"right-most after the names",
       {"--mode", "right-most", "--start-column", "10"},
       kNames,
       kJagermeier + kSmith + kZoe + kLee + kDvorak},
      {"right-most read a byte a character",
       {"--mode", "right-most", "--start-column", "10", "--encoding=windows-1252"},
       kNames,
       kSmith + kZoe + kLee + kDvorak + kJagermeier},
      {"left-most over the names",
       {"--left-count", "10"},
       kNames,
       kDvorak + kJagermeier + kLee + kSmith + kZoe},
      {"left-most 4 takes the whole ë, so 1 sorts before 2",
       {"--left-count", "4"},
       "Zo\xC3\xAB"
       "2\r\nZo\xC3\xAB"
       "1\r\n",
       "Zo\xC3\xAB"
       "1\r\nZo\xC3\xAB"
       "2\r\n"},
      {"a character of three bytes starts the key; keys compare by code point",
       {"--mode", "middle", "--start-column", "2", "--middle-count", "1"},
       "x\xE8\xAA\x9E\r\ny\xE6\x97\xA5\r\nz\xC3\xA9\r\n",
       "z\xC3\xA9\r\ny\xE6\x97\xA5\r\nx\xE8\xAA\x9E\r\n"},
      {"four-byte characters are one column each",
       {"--mode", "middle", "--start-column", "2", "--middle-count", "1"},
       "\xF0\x9F\x98\x80"
       "b 1\r\n\xF0\x9D\x84\x9E"
       "a 2\r\n",
       "\xF0\x9D\x84\x9E"
       "a 2\r\n\xF0\x9F\x98\x80"
       "b 1\r\n"},
      {"a byte order mark is no column of line 1 and is written once at the start",
       {"--left-count", "1"},
       kBom + "b\r\na\r\n",
       kBom + "a\r\nb\r\n"},
      {"read a byte a character, the mark is three characters of line 1",
       {"--left-count", "1", "--encoding", "windows-1252"},
       kBom + "b\r\na\r\n",
       "a\r\n" + kBom + "b\r\n"},
      {"Windows-1252 as ever: the euro sign (0x80) sorts after y with diaeresis (0xFF)",
       {"--left-count", "1"},
       "\x80 1\r\n\xE9 2\r\n\xFF 3\r\n",
       "\xE9 2\r\n\xFF 3\r\n\x80 1\r\n"},
      {"one byte that is no UTF-8 makes the whole file Windows-1252",
       {"--left-count", "4"},
       kNearlyUtf8,
       kNearlyUtf8},
      {"unless UTF-8 is asked for: the stray byte is one column",
       {"--left-count", "4", "--encoding", "utf-8"},
       kNearlyUtf8,
       "Zo\xC3\xAB"
       "1\r\nZo\xC3\xAB"
       "2\r\n\xE9x\r\n"},
  };
  for (const SortCase& c : cases) ExpectSorted(c);
}

// Every reading by name, the same on every system; and the faults a reading
// could hide from the cases above.
TEST_F(OrdalisSortTest, ReadsCodePagesAndUtf16ByName) {
  using namespace std::string_literals;
  // Shift-JIS: 東京都 13, 大阪府 27, 北海道 01 (with a stray lead byte at its
  // end), 沖縄県 47, 京都府 26, and half-width katakana ｶﾅｲ 05.
  const std::string tokyo = "\x93\x8C\x8B\x9E\x93s 13\r\n";
  const std::string osaka = "\x91\xE5\x8D\xE3\x95{ 27\r\n";
  const std::string hokkaido =
      "\x96k\x8A"
      "C\x93\xB9 01\x81\r\n";
  const std::string okinawa = "\x89\xAB\x93\xEA\x8C\xA7 47\r\n";
  const std::string kyoto = "\x8B\x9E\x93s\x95{ 26\r\n";
  const std::string kana = "\xB6\xC5\xB2 05\r\n";
  // GBK: 广东省 44, 北京市 11, 上海市 31.
  const std::string guangdong = "\xB9\xE3\xB6\xAB\xCA\xA1 44\r\n";
  const std::string beijing = "\xB1\xB1\xBE\xA9\xCA\xD0 11\r\n";
  const std::string shanghai = "\xC9\xCF\xBA\xA3\xCA\xD0 31\r\n";
  // cp1251: ёлка, Ёж, арбуз, Яблоко, жук, ящик, Ангара.
  const std::string cyrillic =
      "\xB8\xEB\xEA\xE0\r\n\xA8\xE6\r\n\xE0\xF0\xE1\xF3\xE7\r\n\xDF\xE1\xEB\xEE\xEA\xEE\r\n"
      "\xE6\xF3\xEA\r\n\xFF\xF9\xE8\xEA\r\n\xC0\xED\xE3\xE0\xF0\xE0\r\n";
  const std::string cyrillic_sorted =
      "\xA8\xE6\r\n\xC0\xED\xE3\xE0\xF0\xE0\r\n\xDF\xE1\xEB\xEE\xEA\xEE\r\n"
      "\xE0\xF0\xE1\xF3\xE7\r\n\xE6\xF3\xEA\r\n\xFF\xF9\xE8\xEA\r\n\xB8\xEB\xEA\xE0\r\n";
  // UTF-16: 😀a1 (a surrogate pair), bc2, de3; and 😀 z, ｱ y, a x.
  const std::string le_end = "\r\0\n\0"s;
  const std::string smiley_a1 =
      "=\xD8\x00\xDE"
      "a\x00"
      "1\x00"s +
      le_end;
  const std::string bc2 =
      "b\0c\0"
      "2\0"s +
      le_end;
  const std::string de3 =
      "d\0e\0"
      "3\0"s +
      le_end;
  const std::string be_end = "\0\r\0\n"s;
  const std::string smiley_z = "\xD8=\xDE\x00\x00 \x00z"s + be_end;
  const std::string kana_y = "\xFFq\x00 \x00y"s + be_end;
  const std::string a_x = "\0a\0 \0x"s + be_end;
  const std::vector<std::string> middle_2_from_5 = {"--mode", "middle",         "--middle-count",
                                                    "2",      "--start-column", "5"};
  const auto with = [](std::vector<std::string> options, const std::string& encoding) {
    options.insert(options.end(), {"--encoding", encoding});
    return options;
  };
  const SortCase cases[] = {
      {"cp932: a pair is one column, a stray lead byte and half-width katakana one each",
       with(middle_2_from_5, "cp932"), tokyo + osaka + hokkaido + okinawa + kyoto + kana,
       hokkaido + kana + tokyo + kyoto + osaka + okinawa},
      {"cp936 the same way", with(middle_2_from_5, "cp936"), guangdong + beijing + shanghai,
       beijing + shanghai + guangdong},
      {"cp1251 by code: Ё (U+0401) first, ё (U+0451) last",
       {"--encoding", "cp1251"},
       cyrillic,
       cyrillic_sorted},
      {"UTF-16LE after its mark: a surrogate pair is one column, written back as it came",
       {"--mode", "middle", "--middle-count", "1", "--start-column", "3"},
       "\xFF\xFE"s + de3 + bc2 + smiley_a1,
       "\xFF\xFE"s + smiley_a1 + bc2 + de3},
      {"UTF-16BE by code point: ｱ (U+FF71) before 😀 (U+1F600), though not by code unit",
       {"--left-count", "1"},
       "\xFE\xFF"s + smiley_z + kana_y + a_x,
       "\xFE\xFF"s + a_x + kana_y + smiley_z},
      {"UTF-8 by code point, never in Windows-1252's order",
       {"--left-count", "1"},
       "\xC3\xA9\r\n\xC3\xA0\r\n\xC3\x96\r\n\xC3\x80\r\n",
       "\xC3\x80\r\n\xC3\x96\r\n\xC3\xA0\r\n\xC3\xA9\r\n"},
      {"right-most rounds the count of characters, not of bytes: 9 - 8.5 gives no key",
       {"--mode", "right-most", "--start-column", "8.5"},
       "Zo\xC3\xAB 12345\r\nxyz 11111\r\n",
       "Zo\xC3\xAB 12345\r\nxyz 11111\r\n"},
  };
  for (const SortCase& c : cases) ExpectSorted(c);

  // A line of 9 characters in 10 bytes is shorter than start column 10.
  const std::string target = (work_ / "target.txt").string();
  WriteFile(target, kPrecious);
  RunResult run = Sort({"--mode", "right-most", "--start-column", "10",
                        Source("Zo\xC3\xAB 12345\r\nabcdefghijk\r\n"), target});
  EXPECT_EQ(run.status, 1) << run.err;
  // A UTF-16 source of an odd number of bytes is refused.
  const std::string odd = Source(
      "\xFF\xFE"
      "a\0b"s,
      "odd.txt");
  run = Sort({odd, target});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            kPrefix + ("cannot read \"" + odd + "\" as UTF-16LE: it has an odd number of bytes\n"));
  EXPECT_EQ(ReadFile(target), kPrecious);
  // The byte order mark goes to standard output too.
  run = SortWithInput({"--left-count", "1", "-", "-"},
                      "\xEF\xBB\xBF"
                      "b\r\na\r\n");
  EXPECT_EQ(run.out,
            "\xEF\xBB\xBF"
            "a\r\nb\r\n");
}

// Keys made of wide characters, read as Windows reads them, and the page of
// a Linux user's language.
TEST_F(OrdalisSortTest, ReadsWideCharactersAsWindowsDoes) {
  using namespace std::string_literals;
  const std::vector<std::string> second = {"--mode", "middle",         "--middle-count",
                                           "1",      "--start-column", "2"};
  const auto with = [](std::vector<std::string> options, const std::string& encoding) {
    options.insert(options.end(), {"--encoding", encoding});
    return options;
  };
  // cp932: 一 is 88 EA (U+4E00), 亜 88 9F (U+4E9C), ア 83 41 (U+30A2).
  const std::string ichi = "\x88\xEA", a = "\x88\x9F", katakana_a = "\x83\x41";
  const std::string le = "\r\0\n\0"s, be = "\0\r\0\n"s;
  const SortCase cases[] = {
      {"cp932 keys by code, not by bytes", with({"--left-count", "1"}, "cp932"),
       a + "\r\n" + ichi + "\r\n", ichi + "\r\n" + a + "\r\n"},
      {"cp932 keys end after whole characters", with({"--left-count", "2"}, "cp932"),
       a + ichi + "x\r\n" + a + katakana_a + "\r\n", a + katakana_a + "\r\n" + a + ichi + "x\r\n"},
      {"cp932 right-most counts characters: 2 - 1.5 rounds to no key, as for zy",
       with({"--mode", "right-most", "--start-column", "1.5"}, "cp932"), a + "x\r\nzy\r\n",
       a + "x\r\nzy\r\n"},
      {"cp932 reads a lead byte and an unassigned second byte as one character",
       with(second, "cp932"),
       "\x81\x20"
       "b\r\nxa\r\n",
       "xa\r\n\x81\x20"
       "b\r\n"},
      {"cp932 reads a pair it leaves unassigned as its default character U+30FB, after A",
       with({"--left-count", "1"}, "cp932"), "\x81\x20\r\nA\r\n", "A\r\n\x81\x20\r\n"},
      {"cp932 reads a lead byte at a line's end as U+30FB too, after \u30a2 (83 41)",
       with({"--left-count", "1"}, "cp932"), "\x83\r\n\x83\x41\r\n", "\x83\x41\r\n\x83\r\n"},
      {"cp932 keeps 81 0A as one character (U+30FB), no line feed, and says nothing",
       with({"--left-count", "1"}, "cp932"), "b\x81\x0A\r\na\r\n", "a\r\nb\x81\x0A\r\n"},
      {"cp936 reads 80 as the euro sign, after the degree sign A1 E3",
       with({"--left-count", "1"}, "cp936"), "\x80\r\n\xA1\xE3\r\n", "\xA1\xE3\r\n\x80\r\n"},
      {"cp950 reads a character of Hong Kong's rows (87 40) as one column", with(second, "cp950"),
       "\x87\x40"
       "b\r\nxa\r\n",
       "xa\r\n\x87\x40"
       "b\r\n"},
      {"cp950 pairs a lead byte with a second byte of 40: 一 is A4 40", with(second, "cp950"),
       "\xA4\x40"
       "b\r\nxa\r\n",
       "xa\r\n\xA4\x40"
       "b\r\n"},
      {"UTF-16LE: a unit of 0D00 or 0A00 ends no line and is no line feed",
       {"--left-count", "1"},
       "\xFF\xFE\x00\x0D\x00\x0Az\0"s + le + "a\0"s + le,
       "\xFF\xFE"
       "a\0"s +
           le + "\x00\x0D\x00\x0Az\0"s + le},
      {"UTF-16BE trims its own spaces",
       {"--mode", "middle", "--middle-count", "2", "--start-column", "1"},
       "\xFE\xFF\0 \0b"s + be + "\0a\0c"s + be,
       "\xFE\xFF\0a\0c"s + be + "\0 \0b"s + be},
      {"LANG=ja_JP.UTF-8 reads Shift-JIS: 東 is one column", second,
       "xc\r\n\x93\x8C"
       "b\r\n",
       "\x93\x8C"
       "b\r\nxc\r\n",
       "LANG=ja_JP.UTF-8"},
      {"LANG=zh_TW.UTF-8 reads Big5 (950), not 936: 80 sorts before A1 E3",
       {"--left-count", "1"},
       "\xA1\xE3\r\n\x80\r\n",
       "\x80\r\n\xA1\xE3\r\n",
       "LANG=zh_TW.UTF-8"},
      {"LC_ALL comes before LANG", second,
       "xc\r\n\x93\x8C"
       "b\r\n",
       "\x93\x8C"
       "b\r\nxc\r\n",
       "LC_ALL=ja_JP.UTF-8 LANG=C"},
      {"LANG=C reads Windows-1252: 8C (U+0152) is a column of its own", second,
       "\x93\x8C"
       "b\r\nxc\r\n",
       "xc\r\n\x93\x8C"
       "b\r\n",
       "LANG=C"},
  };
  for (const SortCase& c : cases) ExpectSorted(c);
}

TEST_F(OrdalisSortTest, ReplacesAnExistingTargetAndKeepsItsPermissions) {
  const std::string source = Source("b\r\na\r\n");
  const fs::path target = work_ / "target.txt";
  WriteFile(target, kPrecious + std::string(500, 'x'));
  // Windows has no permission bits beyond read-only, which the next test covers.
  constexpr fs::perms kBits =
      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  if (ordalis::testing::kIsPosix) {
    fs::permissions(target, kBits, fs::perm_options::replace);
  }
  const RunResult run = Sort({source, target.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Visible(ReadFile(target)), Visible("a\r\nb\r\n"));
  if (ordalis::testing::kIsPosix) {
    EXPECT_EQ(fs::status(target).permissions(), kBits);
  }
  EXPECT_EQ(WorkFiles(), (std::set<std::string>{"source.txt", "target.txt"}))
      << Listing(WorkFiles());
}

TEST_F(OrdalisSortTest, WritesThroughATargetThatIsALink) {
  if (!ordalis::testing::CanMakeSymbolicLinks(work_)) {
    GTEST_SKIP() << "no symbolic links can be made here";
  }
  const std::string source = Source("b\r\na\r\n");
  WriteFile(work_ / "real.txt", kPrecious);
  fs::create_symlink("real.txt", work_ / "link.txt");
  const RunResult run = Sort({source, (work_ / "link.txt").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::is_symlink(work_ / "link.txt"));
  EXPECT_EQ(Visible(ReadFile(work_ / "real.txt")), Visible("a\r\nb\r\n"));
}

TEST_F(OrdalisSortTest, PassesBinaryBytesThroughExactly) {
  // Keys compare as Windows-1252 characters: NUL, then 0x1A, then 0x81
  // (U+0081), then 0xFF (U+00FF), and 0x80 last, since it is the euro sign U+20AC.
  const std::string input = std::string("\x1A\0z\x1A\r\n", 6) + std::string("\0ab\r\n", 5) +
                            "\xFF\x80\r\n" + "\x80x\r\n" + "\x81q";
  const std::string expected = std::string("\0ab\r\n", 5) + std::string("\x1A\0z\x1A\r\n", 6) +
                               "\x81q\r\n" + "\xFF\x80\r\n" + "\x80x\r\n";
  const std::string source = Source(input);
  const std::string target = (work_ / "target.bin").string();
  const RunResult run = Sort({source, target});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Visible(ReadFile(target)), Visible(expected));

  // Every byte value other than CR and LF, in one line, comes back as it went.
  std::string all;
  for (int b = 0; b < 256; ++b) {
    if (b != '\r' && b != '\n') all += static_cast<char>(b);
  }
  const std::string whole = Source(all + "\r\n" + all, "all.bin");
  const RunResult again = Sort({"--mode", "none", whole, target});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(Visible(ReadFile(target)), Visible(all + "\r\n" + all + "\r\n"));
}

TEST_F(OrdalisSortTest, SortsLinesOfAMegabyte) {
  const std::string big_b = "b" + std::string(1 << 20, 'q');
  const std::string big_a = "a" + std::string(1 << 20, 'q');
  const std::string source = Source(big_b + "\r\n" + big_a + "\r\n");
  const std::string target = (work_ / "target.txt").string();
  const RunResult run = Sort({source, target});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(ReadFile(target) == big_a + "\r\n" + big_b + "\r\n")
      << "two lines of 1 MiB did not come back in order a, b";
}

TEST_F(OrdalisSortTest, TakesTheMostLinesASourceMayHold) {
  // 10001 lines in reverse order of their 5-digit keys.
  std::string input;
  std::string expected;
  for (int i = 10000; i >= 0; --i) {
    char line[16];
    std::snprintf(line, sizeof line, "%05d\r\n", i);
    input += line;
    std::snprintf(line, sizeof line, "%05d\r\n", 10000 - i);
    expected += line;
  }
  const std::string source = Source(input);
  const std::string target = (work_ / "target.txt").string();
  const RunResult run = Sort({source, target});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(ReadFile(target) == expected) << "10001 reversed lines did not come back sorted";
}

TEST_F(OrdalisSortTest, WarnsAboutLineFeedsThatEndNoLine) {
  struct Case {
    std::string input;
    std::string expected;
    std::vector<std::string> options;
  };
  const Case cases[] = {
      // LF-only line ends: one line, written back with one CR LF at its end.
      {"b\na\n", "b\na\n\r\n", {}},
      // Mixed: "a\nc" is one line among others.
      {"b\r\na\nc\r\n", "a\nc\r\nb\r\n", {}},
      // In cp932 81 0A is a character, but the 0A after it is a line feed.
      {"x\x81\x0A\nz\r\n", "x\x81\x0A\nz\r\n", {"--encoding", "cp932"}},
  };
  for (const Case& c : cases) {
    const std::string source = Source(c.input);
    const std::string target = (work_ / "target.txt").string();
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {source, target});
    const RunResult run = Sort(args);
    EXPECT_EQ(run.status, 0) << Visible(c.input) << "\n" << run.err;
    EXPECT_EQ(Visible(ReadFile(target)), Visible(c.expected)) << Visible(c.input);
    EXPECT_EQ(run.err, std::string(kPrefix) + "warning: \"" + source +
                           "\" has line feeds that end no line; lines end only at CR or CR LF, "
                           "so it was sorted as fewer, longer lines\n")
        << Visible(c.input);
  }
}

TEST_F(OrdalisSortTest, DoubleDashLetsFileNamesStartWithADash) {
  WriteFile(work_ / "-x", "b\r\na\r\n");
  const RunResult plain = Sort({"-x", "-y"});
  EXPECT_EQ(plain.status, 2) << "without --: " << plain.err;
  EXPECT_FALSE(fs::exists(work_ / "-y"));

  const RunResult run = Sort({"--", "-x", "-y"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Visible(ReadFile(work_ / "-y")), Visible("a\r\nb\r\n"));
}

TEST_F(OrdalisSortTest, HelpAndVersionGoToStandardOutput) {
  const RunResult help = Sort({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("Usage: ordalis-sort [OPTION]... SOURCE TARGET\n", 0), 0u) << help.out;

  const RunResult version = Sort({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.err, "");
  EXPECT_EQ(version.out, "ordalis-sort 1.0\n");
}

TEST_F(OrdalisSortTest, HelpThatCannotBeWrittenIsAFailure) {
  if (!ordalis::testing::kIsPosix || !fs::exists("/dev/full")) {
    GTEST_SKIP() << "this system has no /dev/full";
  }
  const RunResult run = RunProgram("/bin/sh", {"-c", "exec \"$0\" --help >/dev/full", kBinary});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.err, std::string(kPrefix) + "cannot write to standard output\n");
}

TEST_F(OrdalisSortTest, NamesBeyondTheAnsiCodePageWork) {
  // Windows-1252 holds the accents and the euro sign, but no Japanese.
  const std::string input = "b\r\na\r\n";
  fs::create_directories(work_ / PathOf("Données été"));
  fs::create_directories(work_ / PathOf("日本語"));
  const std::string source = Source(input, "Données été/日本語.dat");
  const std::string other = Source(input, "日本語/データ €.txt");
  const struct {
    std::string source;
    std::string target;
  } cases[] = {
      {source, NameOf(work_ / PathOf("Données été") / PathOf("trié €.dat"))},
      {source, NameOf(work_ / PathOf("日本語") / PathOf("並べ替え.txt"))},
      {other, NameOf(work_ / PathOf("Données été") / PathOf("日本語 sorted.txt"))},
      {other, "日本語/relative.dat"},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> args = {c.source, c.target};
    const RunResult run = Sort(args);
    EXPECT_EQ(run.status, 0) << Describe(args) << "\n" << run.err;
    EXPECT_EQ(Visible(ReadFile(work_ / PathOf(c.target))), Visible("a\r\nb\r\n")) << Describe(args);
    EXPECT_EQ(ReadFile(PathOf(c.source)), input) << Describe(args);
  }

  // The same file under another spelling, and a missing one named on standard error.
  std::vector<std::string> same = {
      NameOf(work_ / PathOf("日本語") / ".." / PathOf("Données été") / PathOf("日本語.dat")),
      "Données été/日本語.dat"};
  if (!ordalis::testing::kIsPosix) same.push_back(NameOf(work_ / PathOf("DONNÉES ÉTÉ/日本語.DAT")));
  for (const std::string& target : same) {
    const RunResult run = Sort({source, target});
    EXPECT_EQ(run.status, 1) << target;
    EXPECT_EQ(run.err, std::string(kPrefix) + "Use a different output filename\n") << target;
  }
  const std::string missing = NameOf(work_ / PathOf("日本語") / PathOf("ない.dat"));
  const RunResult run = Sort({missing, NameOf(work_ / PathOf("日本語") / PathOf("x.dat"))});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, kPrefix + ("cannot read \"" + missing + "\": no such file\n"));
  EXPECT_EQ(ReadFile(PathOf(source)), input);
}

// ------------------------------------------------------ standard streams --

TEST_F(OrdalisSortTest, DashReadsStandardInputAndWritesStandardOutput) {
  const std::string three = "b 2\r\nc 3\ra 1";
  const std::string sorted = "a 1\r\nb 2\r\nc 3\r\n";
  const std::string source = Source(three);
  const std::string target = (work_ / "target.txt").string();
  struct Case {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;     // Standard output, whole.
    std::string err;     // Standard error, whole.
    bool target_sorted;  // Whether target.txt then holds the sorted lines.
  };
  const std::string many = Repeat("x\r\n", 10002);
  const Case cases[] = {
      {{"-", "-"}, three, 0, sorted, "", false},
      {{source, "-"}, "", 0, sorted, "", false},
      {{"-", target}, three, 0, "", "", true},
      {{"--", "-", "-"}, three, 0, sorted, "", false},
      {{"-", "-"}, "", 0, "", "", false},
      // Every byte but the line ends passes; standard input has no name to quote.
      {{"--mode", "none", "-", "-"},
       std::string("\x1a\0\xff\nz\r\n", 7),
       0,
       std::string("\x1a\0\xff\nz\r\n", 7),
       std::string(kPrefix) +
           "warning: standard input has line feeds that end no line; lines end only at CR or "
           "CR LF, so it was sorted as fewer, longer lines\n",
       false},
      // A failed run writes nothing at all to standard output.
      {{"--left-count", "abc", "-", "-"},
       three,
       1,
       "",
       std::string(kPrefix) + "the left count \"abc\" is not a whole number\n",
       false},
      {{"--mode", "right-most", "--start-column", "4", source, "-"},
       "",
       1,
       "",
       std::string(kPrefix) + "line 1 is shorter than the start column 4\n",
       false},
      {{"-", "-"},
       many,
       1,
       "",
       std::string(kPrefix) + "the source has more than 10001 lines\n",
       false},
  };
  for (const Case& c : cases) {
    fs::remove(target);
    const RunResult run = SortWithInput(c.args, c.input);
    EXPECT_EQ(run.status, c.status) << Describe(c.args) << "\n" << run.err;
    EXPECT_EQ(Visible(run.out), Visible(c.out)) << Describe(c.args);
    EXPECT_EQ(run.err, c.err) << Describe(c.args);
    EXPECT_EQ(fs::exists(target), c.target_sorted) << Describe(c.args);
    if (c.target_sorted) {
      EXPECT_EQ(Visible(ReadFile(target)), Visible(sorted)) << Describe(c.args);
    }
  }
  EXPECT_EQ(ReadFile(source), three);
}

TEST_F(OrdalisSortTest, AFileNamedDashIsReachedThroughItsFolder) {
  WriteFile(work_ / "-", "b\r\na\r\n");
  const RunResult run = SortWithInput({"./-", "./out"}, "z\r\ny\r\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Visible(ReadFile(work_ / "out")), Visible("a\r\nb\r\n"));
}

TEST_F(OrdalisSortTest, StandardOutputThatCannotBeWrittenIsAFailure) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "this system has no /dev/full";
  const std::string source = Source("b\r\na\r\n");
  for (const char* command :
       {"exec \"$0\" \"$1\" - >/dev/full", "exec \"$0\" --show-keys \"$1\" >/dev/full"}) {
    const RunResult run = RunProgram("/bin/sh", {"-c", command, kBinary, source});
    EXPECT_EQ(run.status, 1) << command << "\n" << run.err;
    EXPECT_EQ(run.err, std::string(kPrefix) + "cannot write to standard output\n") << command;
  }
}

// ------------------------------------------------------------- show-keys --

TEST_F(OrdalisSortTest, ShowKeysListsTheSortedLinesWithTheirKeysUnderlined) {
  struct Case {
    const char* why;
    std::vector<std::string> options;
    std::string input;
    int status;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {"left-most 3: line numbers from the source, keys underlined; the key of a line of "
       "spaces is empty; a lone LF shows as ^J, which says enough without a warning",
       {"--left-count", "3"},
       "cat 3\r\n    \r\nab\nx\r\n",
       0,
       "    2      \n"
       "       ^ empty key\n"
       "    3  ab^Jx\n"
       "       ____\n"
       "    1  cat 3\n"
       "       ___\n",
       ""},
      {"middle 3 from column 3: trimmed spaces are not underlined, a tab before the key is kept",
       {"--mode", "middle", "--start-column", "3", "--middle-count", "3"},
       "\tq zb\rxxaaa\r",
       0,
       "    2  xxaaa\n"
       "         ___\n"
       "    1  \tq zb\n"
       "       \t  __\n",
       ""},
      {"right-most 4: the line that stops the run ends the listing, in source order",
       {"--mode", "right-most", "--start-column", "4"},
       "zzzz 1\r\nyyyy\r\nab\r\nnever shown\r\n",
       1,
       "    1  zzzz 1\n"
       "            _\n"
       "    2  yyyy\n"
       "       ^ empty key\n"
       "    3  ab\n"
       "       ^ stops the run: line 3 is shorter than the start column 4\n",
       std::string(kPrefix) + "line 3 is shorter than the start column 4\n"},
      {"a text that is no number stops the run before any key is cut",
       {"--left-count", "x"},
       "b\r\na\r\n",
       1,
       "",
       std::string(kPrefix) + "the left count \"x\" is not a whole number\n"},
      {"one line is never compared, so its texts are never read",
       {"--left-count", "x"},
       "b",
       0,
       "    1  b\n"
       "       ^ no key is cut from a single line: the left count \"x\" is not a whole number\n",
       ""},
      {"nor is its key checked against the start column",
       {"--mode", "right-most"},
       "short",
       0,
       "    1  short\n"
       "       ^ no key is cut from a single line: line 1 is shorter than the start column 20\n",
       ""},
      {"no mode: every key is empty and nothing moves",
       {"--mode", "none"},
       "b\r\na\r\n",
       0,
       "    1  b\n"
       "       ^ empty key\n"
       "    2  a\n"
       "       ^ empty key\n",
       ""},
      {"UTF-8: the reading is said first, and a wide character takes two cells",
       {"--mode", "right-most", "--start-column", "2"},
       "\xE6\x97\xA5\xE6\x9C\xAC b\r\n\xE4\xB8\xAD\xE6\x96\x87 a\r\n",
       0,
       "(read as UTF-8)\n"
       "    2  \xE4\xB8\xAD\xE6\x96\x87 a\n"
       "            _\n"
       "    1  \xE6\x97\xA5\xE6\x9C\xAC b\n"
       "            _\n",
       ""},
      {"the city column of the names",
       {"--mode", "middle", "--middle-count", "6", "--start-column", "11"},
       kNames,
       0,
       "(read as UTF-8)\n"
       "    1  J\xC3\xA4germeierAthens      4\n"
       "                 ______\n"
       "    2  Smith     Berlin      1\n"
       "                 ______\n"
       "    4  Zo\xC3\xAB       Oslo        5\n"
       "                 ____\n"
       "    5  Lee       Paris       3\n"
       "                 _____\n"
       "    3  Dvo\xC5\x99\xC3\xA1k    Praha       2\n"
       "                 _____\n",
       ""},
      {"Windows-1252 shows in UTF-8, as a terminal of this day shows it",
       {"--left-count", "3"},
       "Zo\xEB\r\n",
       0,
       "(read as Windows-1252)\n"
       "    1  Zo\xC3\xAB\n"
       "       ___\n",
       ""},
      {"cp932: each kanji two cells, the key under its digits",
       {"--encoding", "cp932", "--mode", "middle", "--middle-count", "2", "--start-column", "5"},
       "\x93\x8C\x8B\x9E\x93s 13\r\n\x96k\x8A"
       "C\x93\xB9 01\r\n",
       0,
       "(read as cp932)\n"
       "    2  \xE5\x8C\x97\xE6\xB5\xB7\xE9\x81\x93 01\n"
       "              __\n"
       "    1  \xE6\x9D\xB1\xE4\xBA\xAC\xE9\x83\xBD 13\n"
       "              __\n",
       ""},
      {"a lone UTF-16 surrogate shows as U+FFFD, so the listing stays UTF-8",
       {"--left-count", "2"},
       std::string("\xFF\xFE\x00\xD8"
                   "a\0",
                   6),
       0,
       "(read as UTF-16LE, after a byte order mark)\n"
       "    1  \xEF\xBF\xBD"
       "a\n"
       "       __\n",
       ""},
      {"more lines than a source holds: nothing is shown",
       {},
       Repeat("x\r\n", 10002),
       1,
       "",
       std::string(kPrefix) + "the source has more than 10001 lines\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const std::string source = Source(c.input);
    for (const bool from_input : {false, true}) {
      std::vector<std::string> args = c.options;
      args.insert(args.begin(), "--show-keys");
      args.push_back(from_input ? "-" : source);
      const RunResult run = SortWithInput(args, from_input ? c.input : "");
      EXPECT_EQ(run.status, c.status) << Describe(args) << "\n" << run.err;
      EXPECT_EQ(Visible(run.out), Visible(c.out)) << Describe(args);
      EXPECT_EQ(run.err, c.err) << Describe(args);
    }
    EXPECT_EQ(WorkFiles(), std::set<std::string>{"source.txt"}) << Listing(WorkFiles());
  }
}

// ----------------------------------------------------------- usage errors --

TEST_F(OrdalisSortTest, AWrongCommandLineExitsWithTwoAndAHint) {
  const std::string source = Source("b\r\na\r\n");
  const std::string target = (work_ / "target.txt").string();
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--bogus", source, target}, "unknown option '--bogus'"},
      {{"-x", source, target}, "unknown option '-x'"},
      {{source, target, "--mode"}, "option '--mode' needs a value"},
      {{source, target, "--left-count"}, "option '--left-count' needs a value"},
      {{"--mode", "sideways", source, target},
       "unknown mode 'sideways'; use left-most, middle, right-most or none"},
      {{"--mode=", source, target}, "unknown mode ''; use left-most, middle, right-most or none"},
      {{}, "missing SOURCE and TARGET"},
      {{source}, "missing TARGET after '" + source + "'"},
      {{source, target, "extra"}, "unexpected operand 'extra'"},
      {{"--help=please"}, "option '--help' takes no value"},
  };
  for (const Case& c : cases) {
    const RunResult run = Sort(c.args);
    EXPECT_EQ(run.status, 2) << Describe(c.args);
    EXPECT_EQ(run.err, kPrefix + c.message + "\n" + kHint) << Describe(c.args);
    EXPECT_EQ(run.out, "") << Describe(c.args);
    EXPECT_FALSE(fs::exists(target)) << Describe(c.args);
  }
}

// --------------------------------------------------------------- failures --

// Each run fails with exit status 1 and one line on standard error, and
// leaves an existing target exactly as it was and no new file behind.
struct FailCase {
  std::vector<std::string> options;
  std::string input;
  std::string message;
};

TEST_F(OrdalisSortTest, ARejectedParameterLeavesTheTargetAlone) {
  const std::string three = "b\r\na\r\nc\r\n";
  const std::string shortish = "abcd\r\nabcd\r\na\r\nabcd\r\n";
  const FailCase cases[] = {
      {{"--left-count", "abc"}, three, "the left count \"abc\" is not a whole number"},
      {{"--left-count", ""}, three, "the left count \"\" is not a whole number"},
      {{"--left-count", "1e309"}, three, "the left count \"1e309\" is not a whole number"},
      {{"--left-count", "99999999999"},
       three,
       "the left count \"99999999999\" is not a whole number"},
      {{"--left-count", "-5"}, three, "the left count -5 is negative"},
      {{"--left-count", "-1.5"}, three, "the left count -2 is negative"},
      {{"--mode", "middle", "--start-column", "0"}, three, "the start column 0 is below 1"},
      {{"--mode", "middle", "--start-column", "-0"}, three, "the start column 0 is below 1"},
      {{"--mode", "middle", "--start-column", ""},
       three,
       "the start column \"\" is not a whole number"},
      {{"--mode", "middle", "--start-column", "20 cols"},
       three,
       "the start column \"20 cols\" is not a whole number"},
      {{"--mode", "middle", "--start-column", "1e309"},
       three,
       "the start column \"1e309\" is not a whole number"},
      {{"--mode", "middle", "--middle-count", "-1"}, three, "the middle count -1 is negative"},
      {{"--mode", "middle", "--middle-count", "abc"},
       three,
       "the middle count \"abc\" is not a whole number"},
      {{"--mode", "middle", "--middle-count", "99999999999"},
       three,
       "the middle count \"99999999999\" is not a whole number"},
      {{"--mode", "right-most", "--start-column", "2"},
       shortish,
       "line 3 is shorter than the start column 2"},
      {{"--mode", "right-most"}, three, "line 1 is shorter than the start column 20"},
      {{"--mode", "right-most", "--start-column", "1e309"},
       three,
       "line 1 is shorter than the start column \"1e309\""},
      {{"--mode", "right-most", "--start-column", "99999999999"},
       three,
       "line 1 is shorter than the start column 99999999999"},
      {{"--mode", "right-most", "--start-column", "-1e10"},
       three,
       "line 1 gives a key too long to count for the start column -1e+10"},
      {{}, Repeat("x\r\n", 10002), "the source has more than 10001 lines"},
      {{"--mode", "none"}, Repeat("x\r\n", 10002), "the source has more than 10001 lines"},
  };
  for (const FailCase& c : cases) {
    const std::string source = Source(c.input);
    const fs::path target = work_ / "target.txt";
    WriteFile(target, kPrecious);
    std::vector<std::string> args = c.options;
    args.push_back(source);
    args.push_back(target.string());
    const RunResult run = Sort(args);
    EXPECT_EQ(run.status, 1) << Describe(args);
    EXPECT_EQ(run.err, kPrefix + c.message + "\n") << Describe(args);
    EXPECT_EQ(ReadFile(target), kPrecious) << Describe(args);
    EXPECT_EQ(WorkFiles(), (std::set<std::string>{"source.txt", "target.txt"}))
        << Describe(args) << Listing(WorkFiles());

    // Without an existing target, none appears.
    fs::remove(target);
    const RunResult again = Sort(args);
    EXPECT_EQ(again.status, 1) << Describe(args);
    EXPECT_FALSE(fs::exists(target)) << Describe(args);
  }
}

TEST_F(OrdalisSortTest, ASourceThatCannotBeReadLeavesTheTargetAlone) {
  fs::create_directory(work_ / "folder");
  const std::string missing = (work_ / "missing.txt").string();
  const std::string folder = (work_ / "folder").string();
  const FailCase cases[] = {
      {{missing}, "", "cannot read \"" + missing + "\": no such file"},
      {{folder}, "", "cannot read \"" + folder + "\": it is a folder"},
      {{""}, "", "cannot read \"\": no such file"},
  };
  for (const FailCase& c : cases) {
    const fs::path target = work_ / "target.txt";
    WriteFile(target, kPrecious);
    const std::vector<std::string> args = {c.options[0], target.string()};
    const RunResult run = Sort(args);
    EXPECT_EQ(run.status, 1) << Describe(args);
    EXPECT_EQ(run.err, kPrefix + c.message + "\n") << Describe(args);
    EXPECT_EQ(ReadFile(target), kPrecious) << Describe(args);
  }
}

TEST_F(OrdalisSortTest, ASourceWithoutReadPermissionLeavesTheTargetAlone) {
  if (!ordalis::testing::PermissionBitsApply()) {
    GTEST_SKIP() << "permission bits stop no reading for root or on Windows; the missing and "
                    "folder sources cover an unreadable source";
  }
  const std::string source = Source("b\r\na\r\n");
  fs::permissions(source, fs::perms::none, fs::perm_options::replace);
  const fs::path target = work_ / "target.txt";
  WriteFile(target, kPrecious);
  const RunResult run = Sort({source, target.string()});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.err.rfind(kPrefix + std::string("cannot read \"") + source + "\": ", 0), 0u)
      << run.err;
  EXPECT_EQ(ReadFile(target), kPrecious);
}

TEST_F(OrdalisSortTest, RefusesATargetThatIsTheSource) {
  const std::string input = "b\r\na\r\n";
  const std::string source = Source(input);
  fs::create_directory(work_ / "sub");
  fs::create_hard_link(source, work_ / "hard.txt");
  std::vector<std::vector<std::string>> spellings = {
      {source, source},
      {source, (work_ / "sub" / ".." / "source.txt").string()},
      {source, (work_ / "." / "source.txt").string()},
      {source, "source.txt"},  // Relative to the work folder.
      {source, (work_ / "hard.txt").string()},
  };
  std::set<std::string> files = {"source.txt", "hard.txt", "sub"};
  if (ordalis::testing::CanMakeSymbolicLinks(work_)) {
    fs::create_symlink("source.txt", work_ / "link.txt");
    spellings.push_back({source, (work_ / "link.txt").string()});
    spellings.push_back({(work_ / "link.txt").string(), source});
    files.insert("link.txt");
  }
  if (!ordalis::testing::kIsPosix) {
    // Windows ignores letter case in names.
    spellings.push_back({source, (work_ / "SOURCE.TXT").string()});
  }
  for (const std::vector<std::string>& args : spellings) {
    const RunResult run = Sort(args);
    EXPECT_EQ(run.status, 1) << Describe(args);
    EXPECT_EQ(run.err, std::string(kPrefix) + "Use a different output filename\n")
        << Describe(args);
    EXPECT_EQ(ReadFile(source), input) << Describe(args);
  }
  EXPECT_EQ(WorkFiles(), files) << Listing(WorkFiles());
}

TEST_F(OrdalisSortTest, ATargetThatCannotBeWrittenIsReported) {
  const std::string source = Source("b\r\na\r\n");
  fs::create_directory(work_ / "folder");
  WriteFile(work_ / "plain", kPrecious);
  WriteFile(work_ / "locked.txt", kPrecious);
  // The program refuses a file nobody may write by its bits alone, so this
  // holds for root too.
  fs::permissions(work_ / "locked.txt", fs::perms::owner_read | fs::perms::group_read,
                  fs::perm_options::replace);
  const std::string folder = (work_ / "folder").string();
  const std::string inside_plain = (work_ / "plain" / "out.txt").string();
  const std::string locked = (work_ / "locked.txt").string();
  const FailCase cases[] = {
      {{folder}, "", "cannot write \"" + folder + "\": it is a folder"},
      {{inside_plain},
       "",
       "cannot write \"" + inside_plain + "\": \"" + (work_ / "plain").string() +
           "\" is not a folder"},
      {{locked}, "", "cannot write \"" + locked + "\": the file is read-only"},
  };
  for (const FailCase& c : cases) {
    const std::vector<std::string> args = {source, c.options[0]};
    const RunResult run = Sort(args);
    EXPECT_EQ(run.status, 1) << Describe(args);
    EXPECT_EQ(run.err, kPrefix + c.message + "\n") << Describe(args);
  }
  EXPECT_TRUE(fs::is_directory(work_ / "folder"));
  EXPECT_TRUE(fs::is_empty(work_ / "folder"));
  EXPECT_EQ(ReadFile(work_ / "plain"), kPrecious);
  EXPECT_EQ(ReadFile(work_ / "locked.txt"), kPrecious);
  EXPECT_EQ(WorkFiles(), (std::set<std::string>{"source.txt", "folder", "plain", "locked.txt"}))
      << Listing(WorkFiles());
}

TEST_F(OrdalisSortTest, WindowsRefusesDeviceNamesAndTargetsHeldByAnotherProgram) {
#if !defined(_WIN32)
  GTEST_SKIP() << "device names and files locked against sharing are Windows' own; "
                  "AFileNamedLikeAWindowsDeviceIsAnOrdinaryFileElsewhere covers the rest";
#else
  const std::string source = Source("b\r\na\r\n");
  for (const char* device : {"aux.dat", "NUL", "com1.txt", "Lpt9"}) {
    const std::string target = (work_ / device).string();
    const RunResult run = Sort({source, target});
    EXPECT_EQ(run.status, 1) << device;
    EXPECT_EQ(run.err, std::string(kPrefix) + "cannot write \"" + target +
                           "\": it is a device name on Windows, not a file; choose another name\n");
  }

  // Held the way an editor or a spreadsheet holds a file it has open.
  const fs::path held = work_ / "held.txt";
  WriteFile(held, kPrecious);
  const HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const RunResult run = Sort({source, held.string()});
  CloseHandle(holder);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, std::string(kPrefix) + "cannot write \"" + held.string() +
                         "\": it is in use by another program; close it there and try again\n");
  EXPECT_EQ(ReadFile(held), kPrecious);
  EXPECT_EQ(WorkFiles(), (std::set<std::string>{"source.txt", "held.txt"})) << Listing(WorkFiles());
#endif
}

TEST_F(OrdalisSortTest, AFileNamedLikeAWindowsDeviceIsAnOrdinaryFileElsewhere) {
  if (!ordalis::testing::kIsPosix) GTEST_SKIP() << "on Windows such a name is a device";
  const std::string source = Source("b\r\na\r\n");
  const RunResult run = Sort({source, (work_ / "aux.dat").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFile(work_ / "aux.dat"), "a\r\nb\r\n");
}

TEST_F(OrdalisSortTest, SortsBetweenFoldersWhoseNamesPassTheOldLimitOf260) {
  const std::string hundred(100, 'x');
  const fs::path deep = work_ / PathOf(hundred) / PathOf(hundred) /
                        PathOf(
                            "Donn\xC3\xA9"
                            "es " +
                            hundred);
  fs::create_directories(deep / "in");
  fs::create_directories(deep / "out");
  const std::string source = NameOf(deep / "in" / "source.dat");
  const std::string target = NameOf(deep / "out" / "sorted.dat");
  ASSERT_GT(target.size(), 300u);
  WriteFile(PathOf(source), "b\r\na\r\n");
  const RunResult run = Sort({source, target});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFile(PathOf(target)), "a\r\nb\r\n");
  // Name by name: a directory walk of the C runtime stops at 260 characters.
  std::error_code ec;
  fs::remove(PathOf(source), ec);
  fs::remove(PathOf(target), ec);
  for (fs::path folder :
       {deep / "in", deep / "out", deep, deep.parent_path(), deep.parent_path().parent_path()}) {
    fs::remove(folder, ec);
  }
}

TEST_F(OrdalisSortTest, AFolderWithoutWritePermissionLeavesNoTarget) {
  if (!ordalis::testing::PermissionBitsApply()) {
    GTEST_SKIP() << "permission bits stop no writing for root or on Windows; the file-size "
                    "limit test makes a write fail for real instead";
  }
  const std::string source = Source("b\r\na\r\n");
  fs::create_directory(work_ / "shut");
  fs::permissions(work_ / "shut", fs::perms::owner_read | fs::perms::owner_exec,
                  fs::perm_options::replace);
  const std::string target = (work_ / "shut" / "out.txt").string();
  const RunResult run = Sort({source, target});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.err.rfind(kPrefix + std::string("cannot write \"") + target + "\": ", 0), 0u)
      << run.err;
  EXPECT_FALSE(fs::exists(target));
}

TEST_F(OrdalisSortTest, AWriteCutShortByTheFileSizeLimitIsUndone) {
  if (!ordalis::testing::kIsPosix) GTEST_SKIP() << "Windows has no file-size limit (ulimit -f)";
  // 8 KiB of output against a limit of 1 KiB: the write fails part way.
  std::string input;
  for (int i = 99; i >= 0; --i) input += std::to_string(i) + std::string(80, '.') + "\r\n";
  const std::string source = Source(input);
  const fs::path target = work_ / "target.txt";
  for (bool existed : {true, false}) {
    if (existed) WriteFile(target, kPrecious);
    const std::vector<std::string> args = {"-c", "ulimit -f 1 && exec \"$0\" \"$@\"", kBinary,
                                           source, target.string()};
    const RunResult run = RunProgram("/bin/bash", args);
    EXPECT_EQ(run.status, 1) << "existing target: " << existed << "\n" << run.err;
    EXPECT_EQ(run.err,
              std::string(kPrefix) + "cannot write \"" + target.string() + "\": File too large\n")
        << "existing target: " << existed;
    std::set<std::string> expected_files = {"source.txt"};
    if (existed) {
      EXPECT_EQ(ReadFile(target), kPrecious);
      expected_files.insert("target.txt");
    }
    EXPECT_EQ(WorkFiles(), expected_files)
        << "existing target: " << existed << Listing(WorkFiles());
    std::error_code ec;
    fs::remove(target, ec);
  }
}

}  // namespace
