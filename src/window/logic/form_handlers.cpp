#include "form_handlers.h"

#include "window/logic/form_layout.h"
#include "window/logic/form_table.h"

namespace ordalis {

void FormHandlers::Form_Load() {
  FormLoad(variables_, host_);
  host_.FocusControl(kStartUpFocus);
}

// Closing the window any other way than Exit or Quit saves nothing.
void FormHandlers::Form_QueryUnload() { host_.EndProgram(); }

void FormHandlers::GetFile_Click() { ChooseSource(variables_, host_); }

void FormHandlers::TargetFile_Click() { SortRun(variables_, host_); }

void FormHandlers::CmdExit_Click() { mExit_Click(); }

void FormHandlers::Option1_Click() { OptionClicked(host_, 0); }

void FormHandlers::Option2_Click() { OptionClicked(host_, 1); }

void FormHandlers::Option3_Click() { OptionClicked(host_, 2); }

void FormHandlers::mExit_Click() { SaveSettingsAndEnd(variables_, host_); }

void FormHandlers::mAbout_Click() { host_.ShowPlainMessage(kAboutTitle, kAboutText); }

void FormHandlers::mHowTo_Click() { host_.ShowPlainMessage(kWindowTitle, kHowToText); }

}  // namespace ordalis
