#include "settings/settings_file.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <string_view>

#include "files/directory_of.h"
#include "files/file_reading.h"
#include "files/names.h"
#include "support/platform.h"
#include "support/temp_dir.h"
#include "support/visible.h"

namespace ordalis {
namespace {

namespace fs = std::filesystem;

using Fields = std::array<std::string, 6>;

// Stands for the program directory in expected values.
constexpr char kApp[] = "<app>";

Fields FieldsOf(const SettingsValues& v) {
  return {v.source_path,       v.target_path,       v.left_count_text,
          v.middle_count_text, v.start_column_text, v.option_choice};
}

using testing::Visible;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::set<std::string> Listing(const fs::path& directory) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  std::string app() const { return dir_.string(); }
  fs::path ini() const { return dir_ / kSettingsFileName; }

  Fields Expected(Fields fields) const {
    for (std::string& field : fields) {
      if (field == kApp) field = app();
    }
    return fields;
  }

  struct ReadCase {
    const char* name;
    std::string_view file;
    Fields expected;
  };

  template <std::size_t N>
  void ExpectReads(const ReadCase (&cases)[N]) {
    for (const ReadCase& c : cases) {
      WriteBytes(ini(), c.file);
      EXPECT_EQ(FieldsOf(ReadSettings(app())), Expected(c.expected))
          << c.name << ": \"" << Visible(c.file) << "\"";
    }
  }

  static bool RunningAsRoot() { return !testing::PermissionBitsApply(); }

  testing::TempDir temp_;
  const fs::path& dir_ = temp_.path();
};

const Fields kDefaults = {kApp, kApp, "12", "4", "20", "1"};

TEST_F(SettingsFileTest, LivesInTheProgramDirectory) {
  EXPECT_EQ(SettingsFilePath("/opt/ordalis"),
            std::string("/opt/ordalis") + kPathSeparator + "Ordalis.ini");
}

TEST_F(SettingsFileTest, FirstStartCreatesAnEmptyFileAndGivesTheDefaults) {
  ASSERT_FALSE(fs::exists(ini()));
  EXPECT_EQ(FieldsOf(ReadSettings(app())), Expected(kDefaults));
  ASSERT_TRUE(fs::is_regular_file(ini()));
  EXPECT_EQ(fs::file_size(ini()), 0u);
}

TEST_F(SettingsFileTest, WritesTheTwelveLinesUntrimmed) {
  const SettingsValues values{" /src ", "/tgt", " 7", "3 ", "  9  ", "2"};
  ASSERT_TRUE(WriteSettings(app(), values).ok());
  EXPECT_EQ(Visible(ReadBytes(ini())),
            Visible("[Source path]\r\n /src \r\n[Target path]\r\n/tgt\r\n"
                    "[Left most characters]\r\n 7\r\n[Start at column]\r\n3 \r\n"
                    "[Right most start column]\r\n  9  \r\n[Option button]\r\n2\r\n"));
  EXPECT_EQ(Listing(dir_), std::set<std::string>{kSettingsFileName});
}

TEST_F(SettingsFileTest, EmptyOptionChoiceLeavesOutTheLastLine) {
  WriteBytes(ini(), "[Option button]\r\n4\r\n");
  SettingsValues values = ReadSettings(app());
  EXPECT_EQ(values.option_choice, "4");  // Selects no mode at start-up.

  values.option_choice.clear();  // What exit gathers with no mode selected.
  ASSERT_TRUE(WriteSettings(app(), values).ok());
  const std::string expected = "[Source path]\r\n" + app() + "\r\n[Target path]\r\n" + app() +
                               "\r\n[Left most characters]\r\n12\r\n[Start at column]\r\n4\r\n"
                               "[Right most start column]\r\n20\r\n[Option button]\r\n";
  EXPECT_EQ(Visible(ReadBytes(ini())), Visible(expected));
  EXPECT_EQ(ReadSettings(app()).option_choice, "1");
}

TEST_F(SettingsFileTest, ReadsBackWhatItWrote) {
  struct {
    const char* name;
    SettingsValues written;
    Fields expected;
  } cases[] = {
    {"mode 1", {"/a", "/b", "12", "4", "20", "1"}, {"/a", "/b", "12", "4", "20", "1"}},
    {"mode 2", {"/a b", "/c", "1", "2", "3", "2"}, {"/a b", "/c", "1", "2", "3", "2"}},
    {"mode 3", {"/x", "/y", "", "", "", "3"}, {"/x", "/y", "", "", "", "3"}},
    {"spaces around the box texts are dropped",
     {"/a", "/b", " 5", "6 ", "  7  ", "2"},
     {"/a", "/b", "5", "6", "7", "2"}},
#if defined(_WIN32)
    // Directories are UTF-8 here; the file holds their Windows-1252 bytes.
    {"characters above U+007F pass through",
     {"/caf\u00e9", "/\u20ac\xC2\x81", "\xFF", "4", "20", "3"},
     {"/caf\u00e9", "/\u20ac\xC2\x81", "\xFF", "4", "20", "3"}},
#else
    {"bytes above 0x7F pass through",
     {"/caf\xE9", "/\x80\x81", "\xFF", "4", "20", "3"},
     {"/caf\xE9", "/\x80\x81", "\xFF", "4", "20", "3"}},
#endif
    {"empty directories become the program directory",
     {"", "  ", "12", "4", "20", "1"},
     {kApp, kApp, "12", "4", "20", "1"}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteSettings(app(), c.written).ok()) << c.name;
    const std::string before = ReadBytes(ini());
    EXPECT_EQ(FieldsOf(ReadSettings(app())), Expected(c.expected)) << c.name;
    EXPECT_EQ(ReadBytes(ini()), before) << c.name << ": reading changed the file";
    EXPECT_EQ(Listing(dir_), std::set<std::string>{kSettingsFileName}) << c.name;
  }
}

// What a Windows directory becomes in the file: a name the code page cannot
// hold is cut back to the nearest enclosing folder that it can, never mangled.
TEST(SettingsDirectoryTest, WindowsNamesBecomeCodePageBytesOfAFolderOnTheirPath) {
  const struct {
    std::string name;  // UTF-8.
    std::string bytes;
  } cases[] = {
      {"C:\\data\\Données été",
       "C:\\data\\Donn\xE9"
       "es \xE9t\xE9"},
      {"C:\\prix €\\", "C:\\prix \x80\\"},
      {"C:\\data\\日本語\\x", "C:\\data"},
      {"C:\\data\\été 日本\\x", "C:\\data"},  // A name is kept whole or not at all.
      {"C:\\data/日本語", "C:\\data"},
      {"C:\\a\\\U0001F600", "C:\\a"},
      {"C:\\a\\\xED\xA0\x80", "C:\\a"},  // A lone surrogate.
      {"C:\\日本語", "C:\\"},
      {"C:日本語", "C:"},
      {"\\\\server\\share\\日本語\\x", "\\\\server\\share"},
      {"\\\\server\\共有\\x", ""},
      {"\\\\日本\\share", ""},
      {"\\日本語", "\\"},
      {"日本語\\x", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(testing::Visible(WindowsDirectoryToCodePage(c.name)), testing::Visible(c.bytes))
        << c.name;
  }
  EXPECT_EQ(WindowsDirectoryFromCodePage("C:\\Donn\xE9"
                                         "es \x80\x81\xFF"),
            "C:\\Données €\xC2\x81ÿ");
  // Japanese Windows has no ë: no byte of it, such as the lead byte EB, may
  // stand for it, as Windows would read that byte and the next as one.
  const Encoding cp932 = *CodePageEncoding(932);
  EXPECT_EQ(WindowsDirectoryToCodePage("C:\\Noël\\日本", cp932), "C:\\");
  EXPECT_EQ(WindowsDirectoryToCodePage("C:\\日本\\Noël", cp932), "C:\\\x93\xFA\x96{");
}

// A folder in the script of a Russian Windows: kept whole in cp1251. The
// Windows part runs under Wine with LANG=ru_RU.UTF-8 (tests/win32).
TEST_F(SettingsFileTest, KeepsAFolderInTheSystemCodePage) {
  const std::string folder = "C:\\\xD0\x94\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5";  // C:\Данные
  const Encoding cp1251 = *EncodingNamed("cp1251");
  EXPECT_EQ(testing::Visible(WindowsDirectoryToCodePage(folder, cp1251)),
            testing::Visible("C:\\\xC4\xE0\xED\xED\xFB\xE5"));
  EXPECT_EQ(WindowsDirectoryFromCodePage("C:\\\xC4\xE0\xED\xED\xFB\xE5", cp1251), folder);
#if defined(_WIN32)
  if (SystemCodePageEncoding() != cp1251) GTEST_SKIP() << "not a Russian system";
  SettingsValues values;
  values.source_path = folder;
  values.target_path = folder;
  ASSERT_TRUE(WriteSettings(app(), values).ok());
  EXPECT_NE(ReadBytes(ini()).find("C:\\\xC4\xE0\xED\xED\xFB\xE5"), std::string::npos);
  EXPECT_EQ(ReadSettings(app()).source_path, folder);
#endif
}

TEST_F(SettingsFileTest, DirectoriesBeyondTheCodePage) {
  // Real folders, so the names read back must lead somewhere that exists.
  const fs::path accents = dir_ / PathOf("Données été");
  const fs::path japanese = accents / PathOf("日本語");
  fs::create_directories(japanese);
  SettingsValues values;
  values.source_path = NameOf(accents);
  values.target_path = NameOf(japanese);
  ASSERT_TRUE(WriteSettings(app(), values).ok());
  const std::string file = ReadBytes(ini());
  const SettingsValues read = ReadSettings(app());
#if defined(_WIN32)
  const std::string source_line = app() +
                                  "\\Donn\xE9"
                                  "es \xE9t\xE9\r\n";
  EXPECT_NE(file.find("[Source path]\r\n" + source_line + "[Target path]\r\n" + source_line),
            std::string::npos)
      << Visible(file);
  EXPECT_EQ(read.source_path, values.source_path);
  EXPECT_EQ(read.target_path, values.source_path);
#else
  // Linux writes the file system's bytes as they are.
  EXPECT_NE(file.find("[Source path]\r\n" + values.source_path + "\r\n[Target path]\r\n" +
                      values.target_path + "\r\n"),
            std::string::npos)
      << Visible(file);
  EXPECT_EQ(read.source_path, values.source_path);
  EXPECT_EQ(read.target_path, values.target_path);
#endif
  EXPECT_TRUE(fs::is_directory(PathOf(read.source_path))) << read.source_path;
  EXPECT_TRUE(fs::is_directory(PathOf(read.target_path))) << read.target_path;

  // The program itself in such a folder finds its file there.
  const std::string program = NameOf(japanese);
  ASSERT_TRUE(WriteSettings(program, SettingsValues{"", "", "7", "8", "9", "3"}).ok());
  EXPECT_EQ(FieldsOf(ReadSettings(program)), (Fields{program, program, "7", "8", "9", "3"}));
  EXPECT_TRUE(fs::is_regular_file(japanese / kSettingsFileName));
}

TEST_F(SettingsFileTest, KeyLinesMatchInAnyCaseWithSurroundingSpaces) {
  const ReadCase cases[] = {
      {"as written", "[Source path]\r\n/s\r\n", {"/s", kApp, "12", "4", "20", "1"}},
      {"capitals between spaces",
       "  [SOURCE PATH]  \r\n/s\r\n",
       {"/s", kApp, "12", "4", "20", "1"}},
      {"mixed case", "[tArGeT PaTh]   \r\n/t\r\n", {kApp, "/t", "12", "4", "20", "1"}},
      {"value trimmed", "[Left most characters]\r\n   8 \r\n", {kApp, kApp, "8", "4", "20", "1"}},
      {"CR line ends",
       "[START AT COLUMN]\r5\r [right most start column]\r6\r[OPTION BUTTON]\r3\r",
       {kApp, kApp, "12", "5", "6", "3"}},
  };
  ExpectReads(cases);
}

TEST_F(SettingsFileTest, KeyLinesWithOtherTextDoNotMatch) {
  const ReadCase cases[] = {
      {"text after the key", "[Source path] old\r\n/s\r\n", kDefaults},
      {"text before the key", "x[Source path]\r\n/s\r\n", kDefaults},
      {"missing bracket", "[Left most characters\r\n8\r\n", kDefaults},
      {"doubled inner space", "[Start at  column]\r\n8\r\n", kDefaults},
      {"a tab is not a space", "\t[Option button]\r\n2\r\n", kDefaults},
      // LF alone does not end a line, so this is one long line.
      {"LF line ends", "[Source path]\n/s\n", kDefaults},
  };
  ExpectReads(cases);
}

TEST_F(SettingsFileTest, ALaterKeyOverwritesAnEarlierOne) {
  const ReadCase cases[] = {
      {"directory",
       "[Target path]\r\n/1\r\n[Target path]\r\n/2\r\n",
       {kApp, "/2", "12", "4", "20", "1"}},
      {"box text emptied",
       "[Left most characters]\r\n7\r\n[left most characters]\r\n\r\n",
       {kApp, kApp, "", "4", "20", "1"}},
      {"option blanked", "[Option button]\r\n2\r\n[Option button]\r\n   \r\n", kDefaults},
  };
  ExpectReads(cases);
}

TEST_F(SettingsFileTest, AValueLineThatLooksLikeAKey) {
  const ReadCase cases[] = {
      // The value line is tested against the keys after the one just matched...
      {"later key",
       "[Source path]\r\n[Target path]\r\n/t\r\n",
       {"[Target path]", "/t", "12", "4", "20", "1"}},
      {"chain through all six",
       "[Source path]\r\n[Target path]\r\n[Left most characters]\r\n[Start at column]\r\n"
       "[Right most start column]\r\n[Option button]\r\n2\r\n",
       {"[Target path]", "[Left most characters]", "[Start at column]", "[Right most start column]",
        "[Option button]", "2"}},
      // ...but never against the earlier ones, so it is only a value.
      {"earlier key",
       "[Target path]\r\n[Source path]\r\n/s\r\n",
       {kApp, "[Source path]", "12", "4", "20", "1"}},
      {"same key",
       "[Option button]\r\n  [OPTION button] \r\n3\r\n",
       {kApp, kApp, "12", "4", "20", "[OPTION button]"}},
  };
  ExpectReads(cases);
}

TEST_F(SettingsFileTest, AKeyOnTheLastLineHasAnEmptyValue) {
  const ReadCase cases[] = {
      {"option, no terminator",
       "[Source path]\r\n/s\r\n[Option button]",
       {"/s", kApp, "12", "4", "20", "1"}},
      {"option, CR LF", "[Option button]\r\n", kDefaults},
      {"box text", "[Start at column]\r", {kApp, kApp, "12", "", "20", "1"}},
      // The source's value line is the target key, which then has no value.
      {"key as the value",
       "[Source path]\r\n[Target path]\r\n",
       {"[Target path]", kApp, "12", "4", "20", "1"}},
  };
  ExpectReads(cases);
}

TEST_F(SettingsFileTest, UnreadableFileGivesTheDefaults) {
  fs::create_directory(ini());
  EXPECT_EQ(FieldsOf(ReadSettings(app())), Expected(kDefaults));
  EXPECT_TRUE(fs::is_directory(ini()));

  const fs::path file_as_dir = dir_ / "program";
  WriteBytes(file_as_dir, "not a directory");
  EXPECT_EQ(FieldsOf(ReadSettings(file_as_dir.string())),
            (Fields{file_as_dir.string(), file_as_dir.string(), "12", "4", "20", "1"}));
  EXPECT_EQ(ReadBytes(file_as_dir), "not a directory");
}

TEST_F(SettingsFileTest, FileWithoutReadPermissionGivesTheDefaults) {
  if (RunningAsRoot()) GTEST_SKIP() << "root reads files whatever their permission bits";
  WriteBytes(ini(), "[Option button]\r\n2\r\n");
  fs::permissions(ini(), fs::perms::none);
  EXPECT_EQ(FieldsOf(ReadSettings(app())), Expected(kDefaults));
}

TEST_F(SettingsFileTest, ReadOnlyProgramDirectoryGivesTheDefaults) {
  if (RunningAsRoot()) GTEST_SKIP() << "root creates files in read-only directories";
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(FieldsOf(ReadSettings(app())), Expected(kDefaults));
  EXPECT_FALSE(fs::exists(ini()));
}

TEST_F(SettingsFileTest, FailedWriteWithADirectoryInPlaceChangesNothing) {
  fs::create_directory(ini());
  WriteBytes(ini() / "inside", "kept");
  const Status status = WriteSettings(app(), SettingsValues{"/a", "/b", "1", "2", "3", "1"});
  EXPECT_FALSE(status.ok());
  EXPECT_FALSE(status.message().empty());
  EXPECT_TRUE(fs::is_directory(ini()));
  EXPECT_EQ(ReadBytes(ini() / "inside"), "kept");
  EXPECT_EQ(Listing(dir_), std::set<std::string>{kSettingsFileName});
}

TEST_F(SettingsFileTest, FailedWriteWhenTheProgramDirectoryIsAFileChangesNothing) {
  const fs::path file_as_dir = dir_ / "program";
  WriteBytes(file_as_dir, "old\r\n");
  EXPECT_FALSE(WriteSettings(file_as_dir.string(), SettingsValues{}).ok());
  EXPECT_EQ(ReadBytes(file_as_dir), "old\r\n");
  EXPECT_EQ(Listing(dir_), std::set<std::string>{"program"});
}

#if !defined(_WIN32)
// A write cut short by the file-size limit, which holds for root as well.
TEST_F(SettingsFileTest, WriteCutShortKeepsTheOldFile) {
  const std::string old = "[Option button]\r\n3\r\n";
  WriteBytes(ini(), old);
  IgnoreFileSizeLimitSignal();
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const Status status = WriteSettings(app(), SettingsValues{"/a", "/b", "1", "2", "3", "2"});
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(ReadBytes(ini()), old);
  EXPECT_EQ(Listing(dir_), std::set<std::string>{kSettingsFileName});
}
#endif

TEST_F(SettingsFileTest, FailedWriteInAReadOnlyDirectoryKeepsTheOldFile) {
  if (RunningAsRoot()) GTEST_SKIP() << "root writes in read-only directories";
  const std::string old = "[Option button]\r\n3\r\n";
  WriteBytes(ini(), old);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(WriteSettings(app(), SettingsValues{}).ok());
  EXPECT_EQ(ReadBytes(ini()), old);
  EXPECT_EQ(Listing(dir_), std::set<std::string>{kSettingsFileName});
}

// Random files built from key lines in random case and spacing, random values
// (NUL and high bytes included) and a mix of CR, CR LF, LF and no line ends.
TEST_F(SettingsFileTest, RandomFilesAlwaysGiveSixUsableValues) {
  static constexpr std::string_view kKeys[] = {"[source path]",
                                               "[target path]",
                                               "[left most characters]",
                                               "[start at column]",
                                               "[right most start column]",
                                               "[option button]"};
  static constexpr std::string_view kEnds[] = {"\r\n", "\r", "\n", "", "\r\r\n", "\n\r"};
  std::mt19937 random(20240611);
  auto below = [&random](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };

  for (int round = 0; round < 3000; ++round) {
    std::string file;
    const std::size_t pieces = below(12);
    for (std::size_t p = 0; p < pieces; ++p) {
      if (below(2) == 0) {
        file.append(below(3), ' ');
        for (const char c : kKeys[below(std::size(kKeys))]) {
          file +=
              below(2) == 0 ? c : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        file.append(below(3), ' ');
      } else {
        const std::size_t length = below(6);
        for (std::size_t i = 0; i < length; ++i) {
          static constexpr char kOften[] = {' ', '\0', '1', '[', ']', '\xE9', '\t'};
          file += below(3) == 0 ? kOften[below(sizeof kOften)] : static_cast<char>(below(256));
        }
      }
      file += kEnds[below(std::size(kEnds))];
    }
    WriteBytes(ini(), file);

    const SettingsValues values = ReadSettings(app());
    const std::string input = "round " + std::to_string(round) + ": \"" + Visible(file) + "\"";
    EXPECT_FALSE(values.source_path.empty()) << input;
    EXPECT_FALSE(values.target_path.empty()) << input;
    EXPECT_FALSE(values.option_choice.empty()) << input;
    for (const std::string& value : FieldsOf(values)) {
      EXPECT_EQ(value.find('\r'), std::string::npos) << input;
      if (!value.empty()) {
        EXPECT_NE(value.front(), ' ') << input;
        EXPECT_NE(value.back(), ' ') << input;
      }
    }
    EXPECT_EQ(ReadBytes(ini()), file) << input << ": reading changed the file";
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace ordalis
