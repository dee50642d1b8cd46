// Leaving through File > Exit or "Quit": save the settings, then end.
#pragma once

#include <string>

#include "settings/settings_file.h"
#include "sort/sort_key.h"
#include "sort/sort_mode.h"
#include "window/logic/common_hosts.h"
#include "window/logic/option_group.h"
#include "window/logic/program_variables.h"

namespace ordalis {

// What the orderly exit needs from the window and the operating system.
class ExitHost : public virtual KeyBoxesHost, public virtual OptionGroupHost {
 public:
  // Shows `message`, which says that the settings could not be saved and
  // why, in a warning box titled with the window's title.
  virtual void ReportSettingsNotSaved(const std::string& message) = 0;
  // Ends the program at once, with no further window events.
  virtual void EndProgram() = 0;
};

// Returns the values to save: the two directories of `variables`, `texts`
// narrowed to the settings file's code page, and the number of `selected`
// ("1", "2", "3"; empty for no mode, which leaves the last line out).
SettingsValues GatherSettings(const ProgramVariables& variables, const KeyTexts& texts,
                              SortMode selected);

// The warning for a settings file that could not be written: its full name
// and, on a paragraph of its own, the reason. Lines end in LF alone.
std::string SettingsNotSavedMessage(const std::string& settings_file, const std::string& reason);

// Writes the settings file in AppPath from the window's current state; if it
// cannot be written the old file stays as it was and the user is told. Then
// ends the program either way.
void SaveSettingsAndEnd(const ProgramVariables& variables, ExitHost& host);

}  // namespace ordalis
