// The program-wide variables that live as long as the program.
#pragma once

#include <string>

namespace ordalis {

// Paths are held in the platform's native form (bytes on POSIX systems).
struct ProgramVariables {
  std::string AppPath;         // Directory of the executable, no trailing separator.
  std::string SourceFileName;  // Full path of the chosen source; empty until the first choice.
  std::string SourcePath;      // Initial directory of the source dialog.
  std::string TargetPath;      // Initial directory of the target dialog.
  std::string OptionChoice;    // Sort mode as read from the settings; used only at start-up.
};

}  // namespace ordalis
