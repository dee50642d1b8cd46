// A window for the sort run that records what the run asks of it and answers
// from a script.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_option_group.h"
#include "window/logic/sort_run.h"

namespace ordalis::testing {

class FakeSortRunHost : public SortRunHost, public FakeOptionGroup {
 public:
  FakeSortRunHost() { mode = SortMode::LeftMost; }

  std::string executable_directory = "/opt/ordalis";
  std::optional<std::string> dialog_answer;
  KeyTexts texts;
  std::function<void()> on_pending_events;

  std::vector<FileDialogRequest> dialogs;
  std::vector<std::string> events;  // Pointer, warning, quit and event steps in order.
  std::vector<std::pair<std::string, std::string>> started;

  std::string ExecutableDirectory() override { return executable_directory; }
  std::optional<std::string> ShowTargetDialog(const FileDialogRequest& request) override {
    dialogs.push_back(request);
    return dialog_answer;
  }
  void SetBusyPointer(bool busy) override { events.push_back(busy ? "busy" : "normal"); }
  void ShowSameFileWarning() override { events.push_back("warning"); }
  void EnableQuit() override { events.push_back("quit enabled"); }
  void ProcessPendingEvents() override {
    events.push_back("events");
    if (on_pending_events) on_pending_events();
  }
  void StartProgram(const std::string& program, const std::string& argument) override {
    started.emplace_back(program, argument);
  }
  KeyTexts BoxTexts() override { return texts; }
  void SetBoxTexts(const KeyTexts& t) override { texts = t; }
};

}  // namespace ordalis::testing
