// Everything the form's handlers ask of the window, in one interface that
// each shell implements once: each operation is declared once, in the
// handlers' hosts or in common_hosts.h. None calls back into the logic but
// ProcessPendingEvents, which the sort run asks for once after writing the
// target: the handlers of input queued meanwhile run inside it.
#pragma once

#include <string_view>

#include "window/logic/exit_settings.h"
#include "window/logic/form_load.h"
#include "window/logic/sort_run.h"
#include "window/logic/source_choice.h"

namespace ordalis {

class FormHost : public SortRunHost, public FormLoadHost, public SourceChoiceHost, public ExitHost {
 public:
  // Gives the focus to the control called `name` in the form table.
  virtual void FocusControl(std::string_view name) = 0;
  // Shows `text` in a plain message box titled `title`, and waits for OK.
  virtual void ShowPlainMessage(std::string_view title, std::string_view text) = 0;
};

}  // namespace ordalis
