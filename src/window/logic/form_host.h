// Everything the form's handlers ask of the window, in one interface that
// each shell implements once. The option group answers for the sort mode
// itself, from the checked options.
#pragma once

#include "window/logic/exit_settings.h"
#include "window/logic/form_load.h"
#include "window/logic/option_group.h"
#include "window/logic/sort_run.h"
#include "window/logic/source_choice.h"

namespace ordalis {

class FormHost : public OptionGroupHost,
                 public SortRunHost,
                 public FormLoadHost,
                 public SourceChoiceHost,
                 public ExitHost {
 public:
  SortMode SelectedMode() final { return ordalis::SelectedMode(*this); }
  void ClearOptions() final { ordalis::ClearOptions(*this); }
  void SelectOption(SortMode mode) final { ordalis::SelectOption(*this, mode); }
};

}  // namespace ordalis
