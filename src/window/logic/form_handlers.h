// The form's handlers, written once for both shells: each event of a control
// or a menu entry by its form name (<Control>_<Event>), and what it does. A
// shell forwards its toolkit's events here and decides nothing itself.
#pragma once

#include <string_view>

#include "window/logic/form_host.h"
#include "window/logic/program_variables.h"

namespace ordalis {

class FormHandlers {
 public:
  // REQUIRES: `host` outlives the handlers.
  explicit FormHandlers(FormHost& host) : host_(host) {}

  void Form_Load();
  void Form_QueryUnload();
  void GetFile_Click();
  void TargetFile_Click();
  void CmdExit_Click();
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void mExit_Click();
  void mAbout_Click();
  void mHowTo_Click();

  // The program-wide variables as they stand.
  const ProgramVariables& variables() const { return variables_; }

 private:
  FormHost& host_;
  ProgramVariables variables_;
};

// Which handler each control's Click and each menu entry runs, by the
// control's name in the form table: what both shells bind.
struct FormClick {
  std::string_view control;
  void (FormHandlers::*click)();
};
inline constexpr FormClick kFormClicks[] = {
    {"GetFile", &FormHandlers::GetFile_Click}, {"TargetFile", &FormHandlers::TargetFile_Click},
    {"CmdExit", &FormHandlers::CmdExit_Click}, {"Option1", &FormHandlers::Option1_Click},
    {"Option2", &FormHandlers::Option2_Click}, {"Option3", &FormHandlers::Option3_Click},
    {"mExit", &FormHandlers::mExit_Click},     {"mAbout", &FormHandlers::mAbout_Click},
    {"mHowTo", &FormHandlers::mHowTo_Click},
};

}  // namespace ordalis
