#include "window/logic/source_choice.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace ordalis {
namespace {

class FakeSourceChoiceHost : public SourceChoiceHost {
 public:
  std::string executable_directory = "/opt/ordalis";
  std::deque<std::optional<std::string>> answers;  // Empty: the user cancels.
  std::vector<FileDialogRequest> requests;
  std::vector<std::string> calls;
  bool target_enabled = false;
  bool warning_visible = true;

  std::string ExecutableDirectory() override {
    calls.push_back("ExecutableDirectory");
    return executable_directory;
  }
  void HideSameFileWarning() override {
    calls.push_back("HideSameFileWarning");
    warning_visible = false;
  }
  std::optional<std::string> ShowSourceDialog(const FileDialogRequest& request) override {
    calls.push_back("ShowSourceDialog");
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void EnableAndFocusTarget() override {
    calls.push_back("EnableAndFocusTarget");
    target_enabled = true;
  }
};

ProgramVariables StartedVariables() {
  ProgramVariables variables;
  variables.AppPath = "/old/app";
  variables.SourcePath = "/start";
  variables.TargetPath = "/start";
  return variables;
}

TEST(SourceChoiceTest, ChoosingAFileRemembersItAndItsDirectory) {
  ProgramVariables variables = StartedVariables();
  FakeSourceChoiceHost host;
  host.answers = {"/logs/calls.dat"};

  EXPECT_EQ(ChooseSource(variables, host), SourceChoiceResult::Chosen);

  EXPECT_EQ(variables.AppPath, "/opt/ordalis");
  EXPECT_EQ(variables.SourceFileName, "/logs/calls.dat");
  EXPECT_EQ(variables.SourcePath, "/logs");
  EXPECT_EQ(variables.TargetPath, "/start");
  const std::vector<std::string> expected = {"ExecutableDirectory", "HideSameFileWarning",
                                             "ShowSourceDialog", "EnableAndFocusTarget"};
  EXPECT_EQ(host.calls, expected);
  ASSERT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.requests[0].title, "Select the text file to load...");
  EXPECT_EQ(host.requests[0].initial_directory, "/start");
  EXPECT_TRUE(host.requests[0].must_exist);
}

TEST(SourceChoiceTest, CancelOnTheFirstChoiceChangesNothingButTheWarning) {
  ProgramVariables variables = StartedVariables();
  FakeSourceChoiceHost host;

  EXPECT_EQ(ChooseSource(variables, host), SourceChoiceResult::Cancelled);

  EXPECT_EQ(variables.SourceFileName, "");
  EXPECT_EQ(variables.SourcePath, "/start");
  EXPECT_FALSE(host.target_enabled);
  EXPECT_FALSE(host.warning_visible);  // Hidden before the dialog opened.
}

TEST(SourceChoiceTest, CancelAfterAnEarlierChoiceKeepsThatChoice) {
  ProgramVariables variables = StartedVariables();
  FakeSourceChoiceHost host;
  host.answers = {"/logs/calls.dat"};
  ChooseSource(variables, host);
  host.warning_visible = true;

  EXPECT_EQ(ChooseSource(variables, host), SourceChoiceResult::Cancelled);

  EXPECT_EQ(variables.SourceFileName, "/logs/calls.dat");
  EXPECT_EQ(variables.SourcePath, "/logs");
  EXPECT_TRUE(host.target_enabled);
  EXPECT_FALSE(host.warning_visible);
  EXPECT_EQ(host.requests.back().initial_directory, "/logs");
}

TEST(SourceChoiceTest, AFileInTheRootKeepsTheSourcePath) {
  ProgramVariables variables = StartedVariables();
  FakeSourceChoiceHost host;
  host.answers = {"/calls.dat"};

  EXPECT_EQ(ChooseSource(variables, host), SourceChoiceResult::Chosen);

  EXPECT_EQ(variables.SourceFileName, "/calls.dat");
  EXPECT_EQ(variables.SourcePath, "/start");
  EXPECT_TRUE(host.target_enabled);
}

TEST(SourceChoiceTest, AnEmptyNameIsTakenButGoesNoFurther) {
  ProgramVariables variables = StartedVariables();
  variables.SourceFileName = "/earlier/file.dat";
  FakeSourceChoiceHost host;
  host.answers = {""};

  EXPECT_EQ(ChooseSource(variables, host), SourceChoiceResult::NoName);

  EXPECT_EQ(variables.SourceFileName, "");
  EXPECT_EQ(variables.SourcePath, "/start");
  EXPECT_FALSE(host.target_enabled);
}

}  // namespace
}  // namespace ordalis
