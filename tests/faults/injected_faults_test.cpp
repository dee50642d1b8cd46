// Faults strace puts into the real ordalis-sort. A crash at any point: the
// run is traced once to list the calls it makes that could change a file,
// then run again once for each of them and killed just before that call.
// Whatever the point, the source is untouched, the target is the old one or
// the complete new one, and the next run succeeds. And a read that fails part
// way through the source, which must fail the run, not end the source early.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace ordalis {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

constexpr char kBinary[] = ORDALIS_SORT_PATH;
constexpr char kSource[] = "b\r\nc\r\na\r\n";
constexpr char kSorted[] = "a\r\nb\r\nc\r\n";
constexpr char kOldTarget[] = "an older target that must survive\r\n";
constexpr char kChangingCalls[] =
    "openat,open,creat,write,pwrite64,writev,fsync,fdatasync,close,rename,renameat,renameat2,"
    "chmod,fchmod,fchmodat,unlink,unlinkat,ftruncate";

// One call of the traced run: its name and which call of that name it was,
// counting from 1 as strace's injection does.
struct Call {
  std::string name;
  int occurrence = 0;
  std::string text;  // As strace printed it, for messages.
};

// strace with its arguments to follow, as the shell takes it. LeakSanitizer
// cannot work under a tracer; the other sanitizers can.
constexpr char kStrace[] =
    "env ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" strace -qq ";

// The exit status of `command` run by the shell, which quietly makes way for it.
int Shell(const std::string& command) { return std::system(("exec " + command).c_str()); }

bool KilledBySigkill(int status) {
  return (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ||
         (WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGKILL);
}

// The calls of one run, in order, each with its occurrence among calls of
// its name. strace -y names every descriptor's file.
std::vector<Call> TraceRun(const std::string& log, const std::string& calls_to_trace,
                           const std::string& run) {
  Shell(kStrace + std::string("-y -o '") + log + "' -e trace=" + calls_to_trace + " " + run);
  std::vector<Call> calls;
  std::map<std::string, int> seen;
  std::ifstream in(log);
  static const std::regex kCall(R"(^(\w+)\((.*)$)");
  for (std::string line; std::getline(in, line);) {
    std::smatch match;
    if (!std::regex_match(line, match, kCall)) continue;
    calls.push_back({match[1], ++seen[match[1]], line});
  }
  return calls;
}

// Whether `call` could change a file of the scene: anything done to a name
// or descriptor in it, except opening a file for reading.
bool ChangesScene(const Call& call, const std::string& scene) {
  if (call.text.find(scene) == std::string::npos) return false;
  if (call.name == "openat" || call.name == "open") {
    return call.text.find("O_WRONLY") != std::string::npos ||
           call.text.find("O_RDWR") != std::string::npos ||
           call.text.find("O_CREAT") != std::string::npos;
  }
  return true;
}

// The first call after `from` whose text matches `pattern`, or calls.size().
std::size_t Find(const std::vector<Call>& calls, const std::regex& pattern, std::size_t from = 0) {
  for (std::size_t i = from; i < calls.size(); ++i) {
    if (std::regex_search(calls[i].text, pattern)) return i;
  }
  return calls.size();
}

bool CanTrace() { return Shell("strace -qq -o /dev/null true") == 0; }
constexpr char kCannotTrace[] = "strace is missing or may not trace here; it injects the faults";

TEST(InjectedFaults, SourceStaysAndTargetIsOldOrNewWhereverTheRunIsKilled) {
  if (!CanTrace()) GTEST_SKIP() << kCannotTrace;
  testing::TempDir scene;
  const std::string source = scene.File("s.dat");
  const std::string target = scene.File("t.dat");
  const std::string run = std::string(kBinary) + " '" + source + "' '" + target + "'";
  WriteBytes(source, kSource);
  WriteBytes(target, kOldTarget);

  const std::vector<Call> all = TraceRun(scene.File("trace.log"), kChangingCalls, run);
  ASSERT_EQ(ReadBytes(target), kSorted) << "the traced run itself must succeed";
  std::filesystem::remove(scene.File("trace.log"));
  const std::string folder = scene.path().string();

  std::vector<Call> changing;
  for (const Call& call : all) {
    if (ChangesScene(call, folder)) changing.push_back(call);
  }

  // Flushed, then renamed, then the rename made durable in its folder.
  const std::string temp = R"(/\.t\.dat\.tmp-\d+)";
  const std::size_t flushed = Find(changing, std::regex("^f(data)?sync\\(\\d+<.*" + temp + ">"));
  const std::size_t renamed = Find(changing, std::regex("^rename(at2?)?\\(.*" + temp), flushed);
  const std::size_t synced =
      Find(changing, std::regex("^f(data)?sync\\(\\d+<" + folder + ">\\)"), renamed);
  std::string listing;
  for (const Call& call : changing) listing += call.text + "\n";
  ASSERT_LT(synced, changing.size()) << "want a flush, a rename and a folder sync in turn in:\n"
                                     << listing;

  // A folder that cannot be synced is no failure; a disk that fails to sync it is.
  const struct {
    const char* error;
    int exit_code;
  } sync_failures[] = {{"EINVAL", 0}, {"EIO", 1}};
  for (const auto& failure : sync_failures) {
    SCOPED_TRACE(std::string("folder sync failing with ") + failure.error);
    WriteBytes(target, kOldTarget);
    const std::string inject = changing[synced].name + ":error=" + failure.error +
                               ":when=" + std::to_string(changing[synced].occurrence);
    const std::string messages = scene.File("messages.txt");
    const int status =
        Shell(kStrace + std::string("-o /dev/null -e trace=") + changing[synced].name +
              " -e inject=" + inject + " " + run + " 2>'" + messages + "'");
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), failure.exit_code);
    EXPECT_EQ(ReadBytes(target), kSorted);
    if (failure.exit_code != 0) {
      EXPECT_NE(ReadBytes(messages).find("was written but could not be confirmed on disk"),
                std::string::npos)
          << ReadBytes(messages);
    }
  }

  for (const Call& call : changing) {
    SCOPED_TRACE("killed before " + call.text);
    WriteBytes(target, kOldTarget);
    const std::string inject =
        call.name + ":signal=SIGKILL:when=" + std::to_string(call.occurrence);
    const int status = Shell(kStrace + std::string("-o /dev/null -e trace=") + call.name +
                             " -e inject=" + inject + " " + run);
    ASSERT_TRUE(KilledBySigkill(status)) << "status " << status;

    EXPECT_EQ(ReadBytes(source), kSource);
    const std::string after = ReadBytes(target);
    EXPECT_TRUE(after == kOldTarget || after == kSorted) << after;

    EXPECT_EQ(Shell(run), 0);
    EXPECT_EQ(ReadBytes(target), kSorted);
  }
}

TEST(InjectedFaults, AReadErrorPartWayThroughTheSourceFailsTheRun) {
  if (!CanTrace()) GTEST_SKIP() << kCannotTrace;
  testing::TempDir scene;
  const std::string source = scene.File("s.dat");
  const std::string target = scene.File("t.dat");
  const std::string run = std::string(kBinary) + " '" + source + "' '" + target + "'";
  std::string lines;  // Well over one block of reading.
  for (int i = 0; i < 3000; ++i) lines += std::to_string(99999 - i) + std::string(40, 'x') + "\r\n";
  WriteBytes(source, lines);
  WriteBytes(target, kOldTarget);

  // The second read of the source, after its first block was taken.
  const std::vector<Call> reads = TraceRun(scene.File("trace.log"), "read", run);
  std::filesystem::remove(scene.File("trace.log"));
  WriteBytes(target, kOldTarget);
  const std::regex source_read("^read\\(\\d+<" + source + ">");
  const std::size_t first = Find(reads, source_read);
  const std::size_t second = Find(reads, source_read, first + 1);
  ASSERT_LT(second, reads.size()) << "the source was read in fewer than two blocks";

  const std::string messages = scene.File("messages.txt");
  const int status =
      Shell(kStrace + std::string("-o /dev/null -e trace=read -e inject=read:error=EIO:when=") +
            std::to_string(reads[second].occurrence) + " " + run + " 2>'" + messages + "'");
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadBytes(messages),
            "ordalis-sort: cannot read \"" + source + "\": Input/output error\n");
  EXPECT_EQ(ReadBytes(target), kOldTarget);
  std::filesystem::remove(messages);
  EXPECT_EQ(scene.EntryCount(), 2u) << "a temporary file was left behind";
}

}  // namespace
}  // namespace ordalis
