#include "window/logic/sort_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "files/directory_of.h"
#include "support/fake_sort_run_host.h"
#include "support/temp_dir.h"

namespace ordalis {
namespace {

using testing::FakeSortRunHost;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class SortRunTest : public ::testing::Test {
 protected:
  SortRunTest() {
    std::filesystem::create_directory(dir_.path() / "in");
    std::filesystem::create_directory(dir_.path() / "out");
    variables_.SourceFileName = dir_.File("in/source.dat");
    variables_.TargetPath = "/previous";
    WriteBytes(variables_.SourceFileName, "b\r\na\r\n");
    host_.texts = {u"1", u"4", u"20"};
  }

  TempDir dir_;
  ProgramVariables variables_;
  FakeSortRunHost host_;
};

TEST_F(SortRunTest, WritesTheTargetEnablesQuitAndStartsBothViewers) {
  const std::string target = dir_.File("out/sorted.dat");
  host_.dialog_answer = target;
  const SortRunOutcome outcome = SortRun(variables_, host_);

  EXPECT_EQ(outcome.result, SortRunResult::Completed) << outcome.message;
  EXPECT_EQ(ReadBytes(target), "a\r\nb\r\n");
  EXPECT_EQ(ReadBytes(variables_.SourceFileName), "b\r\na\r\n");
  EXPECT_EQ(variables_.TargetPath, dir_.File("out"));
  EXPECT_EQ(variables_.AppPath, "/opt/ordalis");
  ASSERT_EQ(host_.dialogs.size(), 1u);
  EXPECT_EQ(host_.dialogs[0].title, "Set Target Filename...");
  EXPECT_EQ(host_.dialogs[0].initial_directory, "/previous");
  EXPECT_FALSE(host_.dialogs[0].must_exist);
  EXPECT_EQ(host_.events, (std::vector<std::string>{"busy", "events", "quit enabled", "normal"}));
  const std::vector<std::pair<std::string, std::string>> viewers = {
      {JoinPath("/opt/ordalis", "NOTEPAD.exe"), target},
      {JoinPath("/opt/ordalis", "EDITPADPro.exe"), target},
  };
  EXPECT_EQ(host_.started, viewers);
}

TEST_F(SortRunTest, AnEmptyTargetDirectoryStartsAtTheProgramsOwn) {
  variables_.TargetPath.clear();
  SortRun(variables_, host_);
  ASSERT_EQ(host_.dialogs.size(), 1u);
  EXPECT_EQ(host_.dialogs[0].initial_directory, "/opt/ordalis");
}

TEST_F(SortRunTest, CancelDoesNothing) {
  for (const std::optional<std::string>& answer :
       {std::optional<std::string>(), std::optional<std::string>("")}) {
    host_.events.clear();
    host_.dialog_answer = answer;
    EXPECT_EQ(SortRun(variables_, host_).result, SortRunResult::Cancelled);
    EXPECT_EQ(variables_.TargetPath, "/previous");
    EXPECT_EQ(host_.events, std::vector<std::string>{"normal"});
    EXPECT_TRUE(host_.started.empty());
  }
}

TEST_F(SortRunTest, RefusesTheSourceUnderAnyName) {
  // Every spelling of one file is its files test's and the command line's.
  for (const std::string& name : {variables_.SourceFileName, dir_.File("out/../in/source.dat")}) {
    host_.events.clear();
    host_.dialog_answer = name;
    EXPECT_EQ(SortRun(variables_, host_).result, SortRunResult::SameFile) << name;
    EXPECT_EQ(host_.events, (std::vector<std::string>{"busy", "warning", "normal"})) << name;
    EXPECT_EQ(variables_.TargetPath, "/previous") << name;
    EXPECT_EQ(ReadBytes(variables_.SourceFileName), "b\r\na\r\n") << name;
  }
  EXPECT_TRUE(host_.started.empty());
}

TEST_F(SortRunTest, FailuresWriteNothingButKeepTheTargetDirectory) {
  std::string many;
  for (int i = 0; i < 10002; ++i) many += "x\r\n";
  struct Case {
    const char* name;
    std::string source_bytes;  // Empty: the source is missing.
    SortMode mode;
    KeyTexts texts;
  };
  const Case cases[] = {
      {"missing source", "", SortMode::LeftMost, {u"1"}},
      {"too many lines", many, SortMode::LeftMost, {u"1"}},
      {"bad count", "b\r\na\r\n", SortMode::LeftMost, {u"abc"}},
      {"start column zero", "b\r\na\r\n", SortMode::Middle, {u"1", u"1", u"0"}},
      {"right-most line too short",
       "0123456789012345678901\r\n0123456789012345678\r\n",
       SortMode::RightMost,
       {u"1", u"1", u"20"}},
  };
  const std::string target = dir_.File("out/x.txt");
  for (const Case& c : cases) {
    std::filesystem::remove(variables_.SourceFileName);
    if (!c.source_bytes.empty()) WriteBytes(variables_.SourceFileName, c.source_bytes);
    WriteBytes(target, "previous target");
    variables_.TargetPath = "/previous";
    host_.events.clear();
    host_.dialog_answer = target;
    host_.mode = c.mode;
    host_.texts = c.texts;

    const SortRunOutcome outcome = SortRun(variables_, host_);
    EXPECT_EQ(outcome.result, SortRunResult::Failed) << c.name;
    EXPECT_FALSE(outcome.message.empty()) << c.name;
    EXPECT_EQ(ReadBytes(target), "previous target") << c.name;
    EXPECT_EQ(variables_.TargetPath, dir_.File("out")) << c.name;
    EXPECT_EQ(host_.events, (std::vector<std::string>{"busy", "normal"})) << c.name;
    EXPECT_EQ(dir_.EntryCount(), 2u) << c.name;  // No temporary file beside the target.
  }
  EXPECT_TRUE(host_.started.empty());
}

TEST_F(SortRunTest, AOneLineSourceNeverConvertsTheTexts) {
  WriteBytes(variables_.SourceFileName, "only");
  host_.dialog_answer = dir_.File("out/one.txt");
  host_.texts = {u"abc", u"abc", u"abc"};
  EXPECT_EQ(SortRun(variables_, host_).result, SortRunResult::Completed);
  EXPECT_EQ(ReadBytes(dir_.File("out/one.txt")), "only\r\n");
}

TEST_F(SortRunTest, ARunStartedWhilePendingEventsRunCompletesInsideTheFirst) {
  host_.dialog_answer = dir_.File("out/first.txt");
  bool nested = false;
  host_.on_pending_events = [&] {
    if (nested) return;
    nested = true;
    host_.dialog_answer = dir_.File("out/second.txt");
    EXPECT_EQ(SortRun(variables_, host_).result, SortRunResult::Completed);
  };
  EXPECT_EQ(SortRun(variables_, host_).result, SortRunResult::Completed);
  EXPECT_EQ(ReadBytes(dir_.File("out/first.txt")), "a\r\nb\r\n");
  EXPECT_EQ(ReadBytes(dir_.File("out/second.txt")), "a\r\nb\r\n");
  // The first run still opens its own target once the second has finished.
  ASSERT_EQ(host_.started.size(), 4u);
  EXPECT_EQ(host_.started[3].second, dir_.File("out/first.txt"));
}

}  // namespace
}  // namespace ordalis
