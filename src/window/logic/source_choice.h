// The "Source File" button: pick the file to be sorted and remember its
// directory for the next choice.
#pragma once

#include <optional>
#include <string>

#include "window/logic/common_hosts.h"
#include "window/logic/file_dialog.h"
#include "window/logic/program_variables.h"

namespace ordalis {

inline constexpr char kSourceDialogTitle[] = "Select the text file to load...";

// What the source choice needs from the window and the operating system.
class SourceChoiceHost : public virtual ProgramHost {
 public:
  // Hides the "Use a different output filename" box.
  virtual void HideSameFileWarning() = 0;
  // Shows the modal source dialog. Returns the chosen full path in native
  // form, or nothing when the user cancels.
  virtual std::optional<std::string> ShowSourceDialog(const FileDialogRequest& request) = 0;
  // Enables the "Target File" button and gives it the focus.
  virtual void EnableAndFocusTarget() = 0;
};

enum class SourceChoiceResult {
  Cancelled,  // The dialog was cancelled: nothing changed but the warning.
  NoName,     // The dialog gave an empty name; SourceFileName is now empty.
  Chosen,     // SourceFileName is set and "Target File" is enabled.
};

// The whole "Source File" operation. Updates AppPath, SourceFileName and
// SourcePath of `variables`; a file with no directory past the root prefix
// leaves SourcePath as it was. The warning is hidden even when the user then
// cancels.
SourceChoiceResult ChooseSource(ProgramVariables& variables, SourceChoiceHost& host);

}  // namespace ordalis
