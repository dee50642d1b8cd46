// What the program asks of an open-file dialog.
#pragma once

#include <string>
#include <string_view>

namespace ordalis {

// One entry of a dialog's list of file types.
struct FileType {
  std::string_view description;
  std::string_view pattern;
};

// The dialogs offer data files first, then text files.
inline constexpr FileType kFileTypes[] = {{"Data files", "*.dat"}, {"Text files", "*.txt"}};

// The file-name box of one open-file dialog, kept for the program's life:
// "*.dat" at first, then the name of the file last chosen in it.
class FileNameBox {
 public:
  const std::string& text() const { return text_; }
  // Remembers the file name part of `full_path`, the dialog's choice.
  void Chosen(const std::string& full_path) {
    const std::size_t separator = full_path.find_last_of("\\/");
    text_ = separator == std::string::npos ? full_path : full_path.substr(separator + 1);
  }

 private:
  std::string text_ = "*.dat";
};

struct FileDialogRequest {
  std::string title;
  std::string initial_directory;
  bool must_exist = true;  // False lets the user name a file that does not exist yet.
};

}  // namespace ordalis
