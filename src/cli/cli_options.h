// The command line of ordalis-sort: what the user asked for, read from argv.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sort/default_texts.h"
#include "sort/sort_mode.h"
#include "text/detect_encoding.h"

namespace ordalis {

inline constexpr char kProgramName[] = "ordalis-sort";
// The operand that stands for standard input as SOURCE, standard output as
// TARGET. A file of that name is reached as "./-".
inline constexpr char kStandardStream[] = "-";

enum class CliAction {
  Sort,        // Sort `source` into `target`.
  ShowKeys,    // Show the lines of `source` in sorted order with their keys.
  Help,        // Print the usage text.
  Version,     // Print the program's name and version.
  UsageError,  // The command line is wrong; `error` says how.
};

struct CliOptions {
  CliAction action = CliAction::Sort;
  SortMode mode = SortMode::LeftMost;
  // The three number-box texts as the bytes the user typed; converted only
  // when a key is cut, exactly as the window does.
  std::string left_count{kDefaultLeftCount};
  std::string middle_count{kDefaultMiddleCount};
  std::string start_column{kDefaultStartColumn};
  EncodingChoice encoding = {};  // How SOURCE's bytes are read.
  std::string source;            // kStandardStream for standard input.
  std::string target;            // kStandardStream for standard output; empty for ShowKeys.
  std::string error;             // One line, without the program name; set for UsageError.
};

// Reads the arguments that follow the program name. Options may come before,
// between or after the operands and take their value either as "--name=value"
// or as the next argument (which may start with '-', so "--left-count -1"
// passes -1 along). "--" ends the options. "--show-keys" takes SOURCE alone. "--help" and
// "--version" win as soon as they are met; a later option is then not examined.
CliOptions ParseCommandLine(const std::vector<std::string_view>& args);

// The text printed by --help, ending in a newline.
std::string UsageText();

}  // namespace ordalis
