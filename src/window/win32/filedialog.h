// The modal open-file dialog of the Windows shell, one per use (source and
// target), each keeping the last name chosen for the next time.
#pragma once

#include <optional>
#include <string>

#include <windows.h>

#include "shared/file_dialog.h"

namespace ordalis {

class OpenFileDialog {
 public:
  // Shows the dialog owned by `owner` as `request` says. Returns the chosen
  // full path (UTF-8), or nothing when the user cancels.
  std::optional<std::string> Show(HWND owner, const FileDialogRequest& request);

 private:
  // What the name box shows when the dialog opens: a name without its folder,
  // which would outrank the request's initial directory.
  FileNameBox name_box_;
};

}  // namespace ordalis
