#include "window/logic/form_handlers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/fake_option_group.h"
#include "support/temp_dir.h"
#include "window/logic/form_table.h"

namespace ordalis {
namespace {

// A window that records what the handlers ask of it, one line a call, and
// cancels every dialog.
class RecordingFormHost : public FormHost, public testing::FakeOptionGroup {
 public:
  explicit RecordingFormHost(std::string folder) : folder_(std::move(folder)) {}
  std::vector<std::string> calls;

  std::string ExecutableDirectory() override { return folder_; }
  KeyTexts BoxTexts() override { return texts_; }
  void SetBoxTexts(const KeyTexts& texts) override { texts_ = texts; }
  void ApplyModeLook(const ModeLook& look) override {
    for (std::size_t i = 0; i < 3; ++i) {
      if (look.caption_highlighted[i]) calls.push_back("ApplyModeLook " + std::to_string(i + 1));
    }
  }
  std::optional<std::string> ShowSourceDialog(const FileDialogRequest&) override {
    calls.push_back("ShowSourceDialog");
    return std::nullopt;
  }
  std::optional<std::string> ShowTargetDialog(const FileDialogRequest&) override {
    calls.push_back("ShowTargetDialog");
    return std::nullopt;
  }
  void EnableAndFocusTarget() override { calls.push_back("EnableAndFocusTarget"); }
  void EnableQuit() override { calls.push_back("EnableQuit"); }
  void EndProgram() override { calls.push_back("EndProgram"); }
  void FocusControl(std::string_view name) override {
    calls.push_back("FocusControl " + std::string(name));
  }
  void HideSameFileWarning() override {}
  void ShowSameFileWarning() override {}
  void ProcessPendingEvents() override {}
  void ReportSettingsNotSaved(const std::string&) override {}
  void SetBusyPointer(bool) override {}
  void ShowPlainMessage(std::string_view title, std::string_view) override {
    calls.push_back("ShowPlainMessage " + std::string(title));
  }
  void StartProgram(const std::string&, const std::string&) override {}

 private:
  std::string folder_;
  KeyTexts texts_;
};

bool Holds(const std::vector<std::string>& calls, const std::string& call) {
  return std::find(calls.begin(), calls.end(), call) != calls.end();
}

TEST(FormHandlersTest, EveryButtonAndOptionHasExactlyOneClick) {
  for (const FormControl& control : kFormControls) {
    const auto clicks =
        std::count_if(std::begin(kFormClicks), std::end(kFormClicks),
                      [&](const FormClick& c) { return c.control == control.name; });
    const bool clickable =
        control.kind == ControlKind::Button || control.kind == ControlKind::OptionButton;
    EXPECT_EQ(clicks, clickable ? 1 : 0) << control.name;
  }
}

// What shows that the handler the form gives a control has run.
TEST(FormHandlersTest, EachClickRunsItsHandler) {
  const struct {
    const char* control;
    const char* sign;
  } handlers[] = {
      {"GetFile", "ShowSourceDialog"},
      {"TargetFile", "ShowTargetDialog"},
      {"CmdExit", "EndProgram"},
      {"Option1", "ApplyModeLook 1"},
      {"Option2", "ApplyModeLook 2"},
      {"Option3", "ApplyModeLook 3"},
      {"mExit", "EndProgram"},
      {"mAbout", "ShowPlainMessage  Ordalis  v1.0"},
      {"mHowTo", "ShowPlainMessage Ordalis"},
  };
  ASSERT_EQ(std::size(kFormClicks), std::size(handlers));
  for (const FormClick& click : kFormClicks) {
    const auto handler = std::find_if(std::begin(handlers), std::end(handlers),
                                      [&](const auto& h) { return h.control == click.control; });
    ASSERT_NE(handler, std::end(handlers)) << click.control << " has no handler in the form";
    testing::TempDir dir;
    RecordingFormHost host(dir.path().string());
    FormHandlers form(host);
    form.Form_Load();
    host.calls.clear();
    // A click on an option checks it first, as every toolkit does.
    if (click.control.starts_with("Option")) {
      host.SetOptionChecked(static_cast<std::size_t>(click.control.back() - '1'), true);
    }
    (form.*click.click)();
    EXPECT_TRUE(Holds(host.calls, handler->sign))
        << click.control << " did not run its handler; it asked for:\n"
        << ::testing::PrintToString(host.calls);
    for (const auto& other : handlers) {
      if (std::string_view(other.sign) == handler->sign) continue;
      EXPECT_FALSE(Holds(host.calls, other.sign)) << click.control << " ran " << other.control;
    }
  }
}

TEST(FormHandlersTest, StartUpLeavesTheFocusOnSourceFile) {
  testing::TempDir dir;
  RecordingFormHost host(dir.path().string());
  FormHandlers form(host);
  form.Form_Load();
  ASSERT_FALSE(host.calls.empty());
  EXPECT_EQ(host.calls.back(), "FocusControl GetFile");
}

}  // namespace
}  // namespace ordalis
