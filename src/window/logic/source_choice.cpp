#include "source_choice.h"

#include "files/directory_of.h"

namespace ordalis {

SourceChoiceResult ChooseSource(ProgramVariables& variables, SourceChoiceHost& host) {
  variables.AppPath = host.ExecutableDirectory();
  host.HideSameFileWarning();

  const std::optional<std::string> chosen =
      host.ShowSourceDialog({kSourceDialogTitle, variables.SourcePath, /*must_exist=*/true});
  if (!chosen) return SourceChoiceResult::Cancelled;

  variables.SourceFileName = *chosen;
  if (variables.SourceFileName.empty()) return SourceChoiceResult::NoName;

  if (std::optional<std::string> directory = DirectoryOf(variables.SourceFileName)) {
    variables.SourcePath = *directory;
  }
  host.EnableAndFocusTarget();
  return SourceChoiceResult::Chosen;
}

}  // namespace ordalis
