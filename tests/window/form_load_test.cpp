#include "window/logic/form_load.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/fake_option_group.h"
#include "support/temp_dir.h"

namespace ordalis {
namespace {

// Records what start-up does to the window, in order.
class FakeFormLoadHost : public FormLoadHost, public testing::FakeOptionGroup {
 public:
  std::string executable_directory;
  std::vector<std::string> calls;
  KeyTexts texts;

  std::string ExecutableDirectory() override {
    calls.push_back("ExecutableDirectory");
    return executable_directory;
  }
  KeyTexts BoxTexts() override { return texts; }
  void SetBoxTexts(const KeyTexts& t) override {
    calls.push_back("SetBoxTexts");
    texts = t;
  }
  void SetOptionChecked(std::size_t option, bool checked) override {
    calls.push_back((checked ? "Check " : "Clear ") + std::to_string(option));
    FakeOptionGroup::SetOptionChecked(option, checked);
  }
};

TEST(FormLoadTest, ModeOfOptionChoiceIsAnExactComparison) {
  struct Case {
    const char* choice;
    SortMode mode;
  };
  const Case cases[] = {
      {"1", SortMode::LeftMost}, {"2", SortMode::Middle}, {"3", SortMode::RightMost},
      {"4", SortMode::None},     {"", SortMode::None},    {" 2", SortMode::None},
      {"2 ", SortMode::None},    {"02", SortMode::None},  {"two", SortMode::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ModeOfOptionChoice(c.choice), c.mode) << "choice '" << c.choice << "'";
  }
}

TEST(FormLoadTest, ValuesGoIntoTheVariablesAndTheWindow) {
  SettingsValues values;
  values.source_path = "/data/in";
  values.target_path = "/data/out";
  values.left_count_text = "7";
  values.middle_count_text = "";
  values.start_column_text = "3 cols";
  values.option_choice = "2";
  ProgramVariables variables;
  FakeFormLoadHost host;

  ApplyStartUpValues(values, variables, host);

  EXPECT_EQ(variables.SourcePath, "/data/in");
  EXPECT_EQ(variables.TargetPath, "/data/out");
  EXPECT_EQ(variables.OptionChoice, "2");
  EXPECT_EQ(host.texts.text1, u"7");
  EXPECT_EQ(host.texts.text2, u"");
  EXPECT_EQ(host.texts.text3, u"3 cols");
  const std::vector<std::string> expected = {"SetBoxTexts", "Clear 0", "Clear 1", "Clear 2",
                                             "Check 1"};
  EXPECT_EQ(host.calls, expected);
}

TEST(FormLoadTest, AnUnknownChoiceSelectsNoOption) {
  SettingsValues values;
  values.option_choice = "4";
  ProgramVariables variables;
  FakeFormLoadHost host;

  ApplyStartUpValues(values, variables, host);

  EXPECT_EQ(variables.OptionChoice, "4");
  EXPECT_EQ(host.mode, SortMode::None);
  const std::vector<std::string> expected = {"SetBoxTexts", "Clear 0", "Clear 1", "Clear 2"};
  EXPECT_EQ(host.calls, expected);
}

TEST(FormLoadTest, BoxTextsAreWidenedFromTheCodePage) {
  SettingsValues values;
  values.left_count_text = "\xE9";  // e acute in the file's code page.
  EXPECT_EQ(BoxTextsOf(values).text1, u"\u00E9");
}

TEST(FormLoadTest, FirstStartWithNoSettingsFile) {
  testing::TempDir app;
  ProgramVariables variables;
  FakeFormLoadHost host;
  host.executable_directory = app.path().string();

  FormLoad(variables, host);

  EXPECT_EQ(variables.AppPath, app.path().string());
  EXPECT_EQ(variables.SourcePath, app.path().string());
  EXPECT_EQ(variables.TargetPath, app.path().string());
  EXPECT_EQ(variables.OptionChoice, "1");
  EXPECT_EQ(host.texts.text1, u"12");
  EXPECT_EQ(host.texts.text2, u"4");
  EXPECT_EQ(host.texts.text3, u"20");
  EXPECT_EQ(host.mode, SortMode::LeftMost);
  EXPECT_EQ(host.calls.front(), "ExecutableDirectory");
  // Reading creates the file, empty.
  EXPECT_EQ(testing::ReadBytes(app.File("Ordalis.ini")), "");
}

TEST(FormLoadTest, StartWithAWrittenSettingsFile) {
  testing::TempDir app;
  testing::WriteBytes(app.File("Ordalis.ini"),
                      "[Source path]\r\n/src\r\n[Target path]\r\n/dst\r\n"
                      "[Left most characters]\r\n 9 \r\n[Start at column]\r\n2\r\n"
                      "[Right most start column]\r\n5\r\n[Option button]\r\n3\r\n");
  ProgramVariables variables;
  FakeFormLoadHost host;
  host.executable_directory = app.path().string();

  FormLoad(variables, host);

  EXPECT_EQ(variables.SourcePath, "/src");
  EXPECT_EQ(variables.TargetPath, "/dst");
  EXPECT_EQ(host.texts.text1, u"9");  // Spaces around a value are dropped.
  EXPECT_EQ(host.texts.text2, u"2");
  EXPECT_EQ(host.texts.text3, u"5");
  EXPECT_EQ(host.mode, SortMode::RightMost);
}

}  // namespace
}  // namespace ordalis
