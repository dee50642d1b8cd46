// What the program asks of an open-file dialog.
#pragma once

#include <string>

namespace ordalis {

// The dialogs offer data files first, then text files.
inline constexpr char kDataFileFilter[] = "Data files|*.dat|Text files|*.txt";

struct FileDialogRequest {
  std::string title;
  std::string initial_directory;
  bool must_exist = true;  // False lets the user name a file that does not exist yet.
};

}  // namespace ordalis
