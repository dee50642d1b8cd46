// The modal open-file dialog of the Windows shell (the Common Item Dialog),
// one per use (source and target), each keeping the last name chosen for
// the next time.
#pragma once

#include <optional>
#include <string>

#include <windows.h>

#include "window/logic/file_dialog.h"

namespace ordalis {

class OpenFileDialog {
 public:
  // Shows the dialog owned by `owner` as `request` says. Returns the chosen
  // full path (UTF-8), or nothing when the user cancels or the dialog fails.
  // REQUIRES: COM is set up on this thread.
  std::optional<std::string> Show(HWND owner, const FileDialogRequest& request);

 private:
  // What the name box shows when the dialog opens: "*.dat" at first, then
  // the last name chosen, without its folder.
  FileNameBox name_box_;
};

}  // namespace ordalis
