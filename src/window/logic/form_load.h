// Start-up of the window: the directories, the box texts and the sort mode
// remembered in the settings file.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings_file.h"
#include "sort/sort_key.h"
#include "sort/sort_mode.h"
#include "window/logic/program_variables.h"

namespace ordalis {

// What start-up needs from the window and the operating system.
class FormLoadHost {
 public:
  virtual ~FormLoadHost() = default;

  // The directory of the running executable, without a trailing separator.
  virtual std::string ExecutableDirectory() = 0;
  // Puts the texts into Text1, Text2 and Text3.
  virtual void SetBoxTexts(const KeyTexts& texts) = 0;
  // Clears all three option buttons without running their click rule.
  virtual void ClearOptions() = 0;
  // Selects the option button of `mode`, which runs its click rule.
  // REQUIRES: mode is LeftMost, Middle or RightMost.
  virtual void SelectOption(SortMode mode) = 0;
};

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
