// Everything the form's handlers ask of the window, in one interface that
// each shell implements once: each operation is declared once, in the
// handlers' hosts or in common_hosts.h, and none calls back into the logic.
#pragma once

#include "window/logic/exit_settings.h"
#include "window/logic/form_load.h"
#include "window/logic/sort_run.h"
#include "window/logic/source_choice.h"

namespace ordalis {

class FormHost : public SortRunHost,
                 public FormLoadHost,
                 public SourceChoiceHost,
                 public ExitHost {};

}  // namespace ordalis
