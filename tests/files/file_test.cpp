// Text files on disk: opening one to read it, reading its lines by blocks,
// replacing one whole, and telling two names of one file.
#include "files/durable_replace.h"
#include "files/file_reading.h"
#include "files/file_system.h"
#include "text/line_reader.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

#include "support/platform.h"
#include "support/split_lines.h"
#include "support/temp_dir.h"

namespace ordalis {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::SplitLines;
using testing::TempDir;
using testing::WriteBytes;

std::string Joined(const std::vector<std::string_view>& lines) {
  std::string joined;
  for (std::string_view line : lines) joined += "[" + std::string(line) + "]";
  return joined;
}

TEST(SplitLinesTest, LinesEndAtCrOrCrLfOnly) {
  struct Case {
    const char* bytes;
    const char* expected;
  };
  const Case cases[] = {
      {"", ""},
      {"a", "[a]"},
      {"a\r\n", "[a]"},  // A trailing terminator adds no empty line.
      {"a\r", "[a]"},
      {"a\r\nb", "[a][b]"},
      {"a\rb\r", "[a][b]"},
      {"a\nb\n", "[a\nb\n]"},  // LF-only line ends: one line.
      {"a\n\rb", "[a\n][b]"},
      {"\r\n\r\n", "[][]"},
      {"\r\r\n", "[][]"},
      {"a\r\r", "[a][]"},
  };
  for (const Case& c : cases) EXPECT_EQ(Joined(SplitLines(c.bytes)), c.expected) << c.bytes;
}

TEST(SplitLinesTest, KeepsNulBytes) {
  const std::string bytes("a\0b\r\n\x1a", 6);
  const std::vector<std::string_view> lines = SplitLines(bytes);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string_view("a\0b", 3));
  EXPECT_EQ(lines[1], "\x1a");
}

class TextFileTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(TextFileTest, OpenForReadingRefusesWhatIsNotARegularFile) {
  std::FILE* file = nullptr;
  const std::string folder = dir_.path().string();
  std::vector<std::pair<std::string, std::string>> refused = {
      {dir_.File("missing"), "cannot read \"" + dir_.File("missing") + "\": no such file"},
      {folder, "cannot read \"" + folder + "\": it is a folder"},
  };
#if !defined(_WIN32)
  // A device that never ends.
  refused.push_back({"/dev/zero", "cannot read \"/dev/zero\": not a regular file"});
#endif
  for (const auto& [path, message] : refused) {
    EXPECT_EQ(OpenForReading(path, &file).message(), message) << path;
    EXPECT_EQ(file, nullptr) << path;
  }
}

// Every line a reader gives, each in [], with "|" where the reader said it
// was at the end.
std::string ReadAll(LineReader& reader) {
  std::string joined;
  std::string line;
  while (!reader.AtEnd()) {
    line.clear();
    EXPECT_TRUE(reader.AppendLine(&line));
    joined += "[" + line + "]";
  }
  EXPECT_FALSE(reader.AppendLine(&line));
  return joined;
}

TEST_F(TextFileTest, LineReaderFollowsTheLineRuleAcrossBlocks) {
  // A CR at the end of one block and its LF at the start of the next are
  // still one line end, whatever the block size.
  const std::string cases[] = {
      "",
      "a",
      "a\r\n",
      "a\r",
      "a\r\nb",
      "a\rb\r",
      "a\nb\n",
      "a\n\rb",
      "\r\n\r\n",
      "\r\r\n",
      "a\r\r",
      std::string("x\0y\r\n\n", 6),
      "long line one\r\nand\rthen\r\r\nthe last without an end",
  };
  for (const std::string& bytes : cases) {
    const std::string expected = Joined(SplitLines(bytes));
    for (const std::size_t block :
         {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}, LineReader::kBlockSize}) {
      LineReader memory(bytes, block);
      EXPECT_EQ(ReadAll(memory), expected) << "block " << block << ": " << bytes;

      WriteBytes(dir_.File("f"), bytes);
      std::FILE* file = nullptr;
      ASSERT_TRUE(OpenForReading(dir_.File("f"), &file).ok());
      LineReader from_file(file, block);
      EXPECT_EQ(ReadAll(from_file), expected) << "file, block " << block << ": " << bytes;
      EXPECT_FALSE(from_file.error().failed());
      std::fclose(file);
    }
  }
}

TEST_F(TextFileTest, LineReaderReadsNoFurtherThanTheNextBlock) {
  // The reader must not read ahead of the lines taken: a file position tells.
  const std::string bytes = "first\r\n" + std::string(100000, 'x') + "\r\n";
  WriteBytes(dir_.File("f"), bytes);
  std::FILE* file = nullptr;
  ASSERT_TRUE(OpenForReading(dir_.File("f"), &file).ok());
  LineReader reader(file, 16);
  std::string line;
  ASSERT_TRUE(reader.AppendLine(&line));
  EXPECT_EQ(line, "first");
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(std::ftell(file), 16);
  std::fclose(file);
}

TEST_F(TextFileTest, WriteReplacesTheWholeFileAndLeavesNoTemporaryFile) {
  const std::string target = dir_.File("out.txt");
  WriteBytes(target, "old contents that are longer");
  ASSERT_TRUE(WriteFileAtomically(target, "new").ok());
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(dir_.EntryCount(), 1u);
}

TEST_F(TextFileTest, WriteCreatesAMissingFile) {
  ASSERT_TRUE(WriteFileAtomically(dir_.File("new.txt"), "x").ok());
  EXPECT_EQ(ReadBytes(dir_.File("new.txt")), "x");
}

TEST_F(TextFileTest, WriteFailuresLeaveEverythingAsItWas) {
  const std::string folder = dir_.File("folder");
  fs::create_directory(folder);
  const std::string plain = dir_.File("plain");
  WriteBytes(plain, "keep");
  const std::string read_only = dir_.File("read-only");
  WriteBytes(read_only, "keep");
  fs::permissions(read_only, fs::perms::owner_read | fs::perms::group_read);

  const std::string cases[] = {
      folder,                   // A folder stands at the target.
      plain + "/under-a-file",  // The parent is a regular file.
      dir_.File("missing/x"),   // The parent does not exist.
      read_only,                // Nobody may write it; refused even for root.
  };
  for (const std::string& target : cases) {
    EXPECT_FALSE(WriteFileAtomically(target, "new").ok()) << target;
  }
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(ReadBytes(plain), "keep");
  EXPECT_EQ(ReadBytes(read_only), "keep");
  EXPECT_EQ(dir_.EntryCount(), 3u);
}

TEST_F(TextFileTest, WriteKeepsTheTargetsPermissions) {
#if defined(_WIN32)
  GTEST_SKIP() << "Windows keeps only a read-only flag, not permission bits";
#endif
  const std::string target = dir_.File("out.txt");
  WriteBytes(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  ASSERT_TRUE(WriteFileAtomically(target, "new").ok());
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

TEST_F(TextFileTest, WriteGoesThroughSymbolicLinks) {
  if (!testing::CanMakeSymbolicLinks(dir_.path())) GTEST_SKIP() << "no symbolic links here";
  fs::create_directory(dir_.path() / "real");
  const std::string real = dir_.File("real/out.txt");
  WriteBytes(real, "old");
  fs::create_symlink("real/out.txt", dir_.path() / "link");
  ASSERT_TRUE(WriteFileAtomically(dir_.File("link"), "new").ok());
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_.path() / "link")));
  EXPECT_EQ(ReadBytes(real), "new");

  // A dangling link gets the file it names.
  fs::create_symlink("real/made.txt", dir_.path() / "dangling");
  ASSERT_TRUE(WriteFileAtomically(dir_.File("dangling"), "made").ok());
  EXPECT_EQ(ReadBytes(dir_.File("real/made.txt")), "made");
  EXPECT_EQ(fs::file_size(dir_.path() / "real/out.txt"), 3u);
}

TEST_F(TextFileTest, WriteIntoAFolderNobodyMayWriteFails) {
  if (!testing::PermissionBitsApply()) GTEST_SKIP() << testing::kPermissionSkipReason;
  fs::create_directory(dir_.path() / "locked");
  fs::permissions(dir_.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(WriteFileAtomically(dir_.File("locked/out.txt"), "x").ok());
}

TEST_F(TextFileTest, SameFileSeesThroughOtherSpellings) {
  fs::create_directory(dir_.path() / "sub");
  const std::string source = dir_.File("source.dat");
  WriteBytes(source, "x");
  fs::create_hard_link(source, dir_.path() / "hard.dat");
  WriteBytes(dir_.File("other.dat"), "x");

  EXPECT_TRUE(IsSameFile(source, source));
  EXPECT_TRUE(IsSameFile(source, dir_.File("sub/../source.dat")));
  EXPECT_TRUE(IsSameFile(source, dir_.File("./source.dat")));
  EXPECT_TRUE(IsSameFile(source, dir_.File("hard.dat")));
  if (testing::CanMakeSymbolicLinks(dir_.path())) {
    fs::create_symlink(source, dir_.path() / "link.dat");
    EXPECT_TRUE(IsSameFile(source, dir_.File("link.dat")));
  }
  EXPECT_FALSE(IsSameFile(source, dir_.File("other.dat")));
  EXPECT_FALSE(IsSameFile(source, dir_.File("missing.dat")));
  EXPECT_TRUE(IsSameFile(dir_.File("missing.dat"), dir_.File("missing.dat")));
}

}  // namespace
}  // namespace ordalis
