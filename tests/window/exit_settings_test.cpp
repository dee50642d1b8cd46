#include "window/logic/exit_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/fake_option_group.h"
#include "support/temp_dir.h"

namespace ordalis {
namespace {

class FakeExitHost : public ExitHost, public testing::FakeOptionGroup {
 public:
  FakeExitHost() { mode = SortMode::LeftMost; }

  KeyTexts texts;
  std::vector<std::string> calls;
  std::string reported;

  KeyTexts BoxTexts() override { return texts; }
  void SetBoxTexts(const KeyTexts& t) override { texts = t; }
  void ReportSettingsNotSaved(const std::string& message) override {
    calls.push_back("ReportSettingsNotSaved");
    reported = message;
  }
  void EndProgram() override { calls.push_back("EndProgram"); }
};

TEST(ExitSettingsTest, GatherTakesTheOptionSelectedNow) {
  ProgramVariables variables;
  variables.SourcePath = "/in";
  variables.TargetPath = "/out";
  variables.OptionChoice = "1";  // Read at start-up; not what is saved.
  const KeyTexts texts{u"7", u" 3 ", u"\u00E9"};

  struct Case {
    SortMode mode;
    const char* choice;
  };
  const Case cases[] = {{SortMode::LeftMost, "1"},
                        {SortMode::Middle, "2"},
                        {SortMode::RightMost, "3"},
                        {SortMode::None, ""}};
  for (const Case& c : cases) {
    const SettingsValues values = GatherSettings(variables, texts, c.mode);
    EXPECT_EQ(values.option_choice, c.choice) << static_cast<int>(c.mode);
    EXPECT_EQ(values.source_path, "/in");
    EXPECT_EQ(values.target_path, "/out");
    EXPECT_EQ(values.left_count_text, "7");
    EXPECT_EQ(values.middle_count_text, " 3 ");   // Saved as it stands.
    EXPECT_EQ(values.start_column_text, "\xE9");  // Narrowed to the code page.
  }
}

TEST(ExitSettingsTest, SaveWritesTheFileThenEnds) {
  testing::TempDir app;
  ProgramVariables variables;
  variables.AppPath = app.path().string();
  variables.SourcePath = "/in";
  variables.TargetPath = "/out";
  FakeExitHost host;
  host.texts = {u"12", u"3", u"5"};
  host.mode = SortMode::Middle;

  SaveSettingsAndEnd(variables, host);

  EXPECT_EQ(testing::ReadBytes(app.File("Ordalis.ini")),
            "[Source path]\r\n/in\r\n[Target path]\r\n/out\r\n"
            "[Left most characters]\r\n12\r\n[Start at column]\r\n3\r\n"
            "[Right most start column]\r\n5\r\n[Option button]\r\n2\r\n");
  const std::vector<std::string> expected = {"EndProgram"};
  EXPECT_EQ(host.calls, expected);
}

TEST(ExitSettingsTest, AFileThatCannotBeWrittenIsReportedAndLeftAlone) {
  testing::TempDir app;
  // A directory where the file should be: no write can replace it.
  std::filesystem::create_directory(app.path() / "Ordalis.ini");
  ProgramVariables variables;
  variables.AppPath = app.path().string();
  FakeExitHost host;

  SaveSettingsAndEnd(variables, host);

  const std::vector<std::string> expected = {"ReportSettingsNotSaved", "EndProgram"};
  EXPECT_EQ(host.calls, expected);
  // The file's full name, then the reason on a paragraph of its own.
  EXPECT_EQ(host.reported.rfind("The settings could not be saved to " + app.File("Ordalis.ini") +
                                    ".\n\ncannot write ",
                                0),
            0u)
      << host.reported;
  EXPECT_TRUE(std::filesystem::is_directory(app.path() / "Ordalis.ini"));
}

}  // namespace
}  // namespace ordalis
