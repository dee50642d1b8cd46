// Start-up of the window: the directories, the box texts and the sort mode
// remembered in the settings file.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings_file.h"
#include "sort/sort_key.h"
#include "sort/sort_mode.h"
#include "window/logic/common_hosts.h"
#include "window/logic/option_group.h"
#include "window/logic/program_variables.h"

namespace ordalis {

// What start-up needs from the window and the operating system: the
// program's folder, the number boxes and the option group.
class FormLoadHost : public virtual ProgramHost,
                     public virtual KeyBoxesHost,
                     public virtual OptionGroupHost {};

// Returns the mode stored as `choice`: exactly "1", "2" or "3"; anything else
// (spaces included) is no mode.
SortMode ModeOfOptionChoice(std::string_view choice);

// Returns the box texts of `values`, widened from the settings file's code page.
KeyTexts BoxTextsOf(const SettingsValues& values);

// Puts `values` into SourcePath, TargetPath and OptionChoice of `variables` and
// into the window: box texts, all options cleared, then the remembered mode
// selected (if any).
void ApplyStartUpValues(const SettingsValues& values, ProgramVariables& variables,
                        FormLoadHost& host);

// The whole start-up: AppPath from the host, the settings file read from
// there, and ApplyStartUpValues.
void FormLoad(ProgramVariables& variables, FormLoadHost& host);

}  // namespace ordalis
