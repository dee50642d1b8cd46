// Sources and settings files larger than the memory left, under a limit on
// the address space in a child process: the sort run behind the window and
// ordalis-sort fail cleanly and touch no target, and reading Ordalis.ini
// ends with the defaults for what it could not hold. Nothing may crash.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "support/child_process.h"
#include "support/fake_sort_run_host.h"
#include "support/temp_dir.h"

namespace ordalis {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

constexpr char kBinary[] = ORDALIS_SORT_PATH;
constexpr char kPrecious[] = "an older target that must survive\r\n";
constexpr std::uintmax_t kHugeLine = std::uintmax_t{300} << 20;  // Bytes.
// Room a child gets beyond what it already uses: far less than a huge line.
constexpr rlim_t kHeadroom = rlim_t{160} << 20;

#if defined(ORDALIS_SANITIZE)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
constexpr char kSanitizedReason[] =
    "AddressSanitizer reserves terabytes of address space for its shadow memory, so a limit on "
    "the address space stops it from starting";

// Makes `path` `prefix` followed by NUL bytes up to `size` bytes and then
// `suffix`. The NULs cost no disk (the file is sparse) and hold no CR, so
// they are one line of about `size` bytes.
void WriteWithHugeLine(const std::string& path, const std::string& prefix, std::uintmax_t size,
                       const std::string& suffix = {}) {
  WriteBytes(path, prefix);
  fs::resize_file(path, size);
  std::ofstream(path, std::ios::binary | std::ios::app) << suffix;
}

// The address space this process holds now, in bytes.
rlim_t AddressSpaceInUse() {
  unsigned long pages = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  return static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

// Runs `body` in a child process whose address space may grow by kHeadroom
// at most, and returns what it returned, or how the child ended otherwise.
std::string InLimitedChild(const std::function<std::string()>& body) {
  int channel[2];
  if (pipe(channel) != 0) return "no pipe";
  const pid_t pid = fork();
  if (pid == 0) {
    close(channel[0]);
    const rlimit limit{AddressSpaceInUse() + kHeadroom, AddressSpaceInUse() + kHeadroom};
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(126);
    const std::string said = body();
    if (write(channel[1], said.data(), said.size()) != static_cast<ssize_t>(said.size())) {
      _exit(125);
    }
    _exit(0);
  }
  close(channel[1]);
  std::string said;
  char buffer[4096];
  for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) {
    said.append(buffer, static_cast<std::size_t>(got));
  }
  close(channel[0]);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return "no child";
  if (WIFSIGNALED(status))
    return "the child was killed by signal " + std::to_string(WTERMSIG(status));
  if (WEXITSTATUS(status) != 0)
    return "the child exited with " + std::to_string(WEXITSTATUS(status));
  return said;
}

// Runs ordalis-sort with `args` and at most kHeadroom of address space, with
// `input` (a file name) as standard input when given.
testing::ChildRun RunOrdalisSort(const std::vector<std::string>& args,
                                 const std::string& input = {}) {
  testing::ChildSetup setup;
  setup.input = input;
  setup.in_child = [] {
    const rlimit limit{kHeadroom, kHeadroom};
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(126);
  };
  return testing::RunChild(kBinary, args, setup);
}

class MemoryLimitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (kSanitized) GTEST_SKIP() << kSanitizedReason;
  }
  TempDir dir_;
};

TEST_F(MemoryLimitTest, SortRunEndsQuietlyOnASourceTooLargeToHold) {
  const std::string source = dir_.File("huge.dat");
  const std::string target = dir_.File("target.dat");
  WriteWithHugeLine(source, "x", kHugeLine);
  WriteBytes(target, kPrecious);

  const std::string said = InLimitedChild([&] {
    ProgramVariables variables;
    variables.SourceFileName = source;
    testing::FakeSortRunHost host;
    host.dialog_answer = target;
    const SortRunOutcome outcome = SortRun(variables, host);
    std::string report =
        std::to_string(static_cast<int>(outcome.result)) + " " + outcome.message + " | ";
    for (const std::string& event : host.events) report += event + " ";
    return report;
  });
  EXPECT_EQ(said, std::to_string(static_cast<int>(SortRunResult::Failed)) + " cannot read \"" +
                      source + "\": it is too large to hold in memory | busy normal ");
  EXPECT_EQ(ReadBytes(target), kPrecious);
  EXPECT_EQ(dir_.EntryCount(), 2u);
}

TEST_F(MemoryLimitTest, OrdalisSortFailsWithOneLineAndLeavesTheTarget) {
  const std::string huge = dir_.File("huge.dat");
  WriteWithHugeLine(huge, "", kHugeLine);
  // 10001 short lines, then one that could not be held: refused at its start.
  std::string full;
  for (int i = 0; i < 10001; ++i) full += "line\r\n";
  const std::string over = dir_.File("over.dat");
  WriteWithHugeLine(over, full, full.size() + kHugeLine);
  const std::string target = dir_.File("target.dat");

  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string err;
  };
  const Case cases[] = {
      {{huge, target},
       "",
       "ordalis-sort: cannot read \"" + huge + "\": it is too large to hold in memory\n"},
      {{"-", target},
       huge,
       "ordalis-sort: cannot read standard input: it is too large to hold in memory\n"},
      {{huge, "-"},
       "",
       "ordalis-sort: cannot read \"" + huge + "\": it is too large to hold in memory\n"},
      {{"--show-keys", huge},
       "",
       "ordalis-sort: cannot read \"" + huge + "\": it is too large to hold in memory\n"},
      {{over, target}, "", "ordalis-sort: the source has more than 10001 lines\n"},
      {{"-", "-"}, over, "ordalis-sort: the source has more than 10001 lines\n"},
  };
  for (const Case& c : cases) {
    std::string described;
    for (const std::string& arg : c.args) described += " [" + arg + "]";
    WriteBytes(target, kPrecious);
    const testing::ChildRun run = RunOrdalisSort(c.args, c.input);
    EXPECT_EQ(run.status, 1) << described << " < " << c.input;
    EXPECT_EQ(run.err, c.err) << described << " < " << c.input;
    EXPECT_EQ(run.out, "") << described << " < " << c.input;
    EXPECT_EQ(ReadBytes(target), kPrecious) << described << " < " << c.input;
    // The two sources and the target: the output streams come back through pipes.
    EXPECT_EQ(dir_.EntryCount(), 3u) << described << ": a temporary file was left behind";
  }
}

TEST_F(MemoryLimitTest, ReadingSettingsEndsWithTheDefaultsForWhatCouldNotBeHeld) {
  const std::string ini = SettingsFilePath(dir_.path().string());
  // 300 MB of empty lines: held one at a time, they cost nothing.
  {
    std::ofstream out(ini, std::ios::binary | std::ios::trunc);
    const std::string block(1 << 20, '\r');
    for (std::uintmax_t written = 0; written < kHugeLine; written += block.size()) out << block;
  }
  const std::string dir = dir_.path().string();
  const auto read_here = [&] {
    return InLimitedChild([&] {
      const SettingsValues v = ReadSettings(dir);
      return v.source_path + "|" + v.target_path + "|" + v.left_count_text + "|" +
             v.middle_count_text + "|" + v.start_column_text + "|" + v.option_choice;
    });
  };
  EXPECT_EQ(read_here(), dir + "|" + dir + "|12|4|20|1") << "300 MB of bare CRs";

  // A value line too long to hold: what came before it counts, the rest
  // keeps its defaults.
  WriteWithHugeLine(ini, "[Left most characters]\r\n7\r\n[Start at column]\r\n", kHugeLine,
                    "\r\n9\r\n[Option button]\r\n3\r\n");
  EXPECT_EQ(read_here(), dir + "|" + dir + "|7|4|20|1") << "a value line of 300 MB";
}

}  // namespace
}  // namespace ordalis
