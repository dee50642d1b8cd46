// The sort run behind the "Target File" button: ask for a target, refuse the
// source itself, sort the source into it, then open the result in the two
// viewers.
#pragma once

#include <optional>
#include <string>

#include "sort/sort_file.h"
#include "sort/sort_key.h"
#include "sort/sort_mode.h"
#include "window/logic/common_hosts.h"
#include "window/logic/file_dialog.h"
#include "window/logic/option_group.h"
#include "window/logic/program_variables.h"

namespace ordalis {

inline constexpr char kTargetDialogTitle[] = "Set Target Filename...";
inline constexpr char kFirstViewer[] = "NOTEPAD.exe";
inline constexpr char kSecondViewer[] = "EDITPADPro.exe";

// What a sort run needs from the window and the operating system: the
// program's folder, the number boxes and the option group, and these.
class SortRunHost : public virtual ProgramHost,
                    public virtual KeyBoxesHost,
                    public virtual OptionGroupHost {
 public:
  // Shows the modal target dialog. Returns the chosen full path in native
  // form, or nothing when the user cancels.
  virtual std::optional<std::string> ShowTargetDialog(const FileDialogRequest& request) = 0;
  // Switches the window's pointer between busy and normal.
  virtual void SetBusyPointer(bool busy) = 0;
  // Makes the "Use a different output filename" box visible.
  virtual void ShowSameFileWarning() = 0;
  // Enables the "Quit" button.
  virtual void EnableQuit() = 0;
  // Runs the handlers of the input queued meanwhile, once.
  virtual void ProcessPendingEvents() = 0;
  // Starts `program` with `argument` as its single argument, without a shell
  // and without waiting. A program that cannot start is skipped silently.
  virtual void StartProgram(const std::string& program, const std::string& argument) = 0;
};

enum class SortRunResult {
  Cancelled,  // The dialog was cancelled or gave no name.
  SameFile,   // The target was the source; the warning is showing.
  Failed,     // Nothing was written; `message` says why.
  Completed,  // The target was written.
};

struct SortRunOutcome {
  SortRunResult result = SortRunResult::Cancelled;
  std::string message;
};

// The whole "Target File" operation. Reads SourceFileName and updates AppPath
// and TargetPath of `variables`. Any failure ends it quietly with the normal
// pointer; the outcome is for the caller's records, not for the user.
SortRunOutcome SortRun(ProgramVariables& variables, SortRunHost& host);

}  // namespace ordalis
