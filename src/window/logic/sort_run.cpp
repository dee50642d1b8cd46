#include "sort_run.h"

#include "files/directory_of.h"

namespace ordalis {

SortRunOutcome SortRun(ProgramVariables& variables, SortRunHost& host) {
  variables.AppPath = host.ExecutableDirectory();
  if (variables.TargetPath.empty()) variables.TargetPath = variables.AppPath;

  const std::optional<std::string> chosen =
      host.ShowTargetDialog({kTargetDialogTitle, variables.TargetPath, /*must_exist=*/false});
  if (!chosen || chosen->empty()) {
    host.SetBusyPointer(false);
    return {SortRunResult::Cancelled, {}};
  }
  host.SetBusyPointer(true);
  const std::string name = *chosen;

  if (Status refused = RefuseSameFile(variables.SourceFileName, name); !refused.ok()) {
    host.ShowSameFileWarning();
    host.SetBusyPointer(false);
    return {SortRunResult::SameFile, refused.message()};
  }
  // Remembered before the source is read, so it sticks even if the run fails.
  if (std::optional<std::string> directory = DirectoryOf(name)) variables.TargetPath = *directory;

  const Status sorted = SortSourceToTarget(FileSource(variables.SourceFileName),
                                           {SelectedMode(host), host.BoxTexts()}, FileTarget(name));
  if (!sorted.ok()) {
    host.SetBusyPointer(false);
    return {SortRunResult::Failed, sorted.message()};
  }

  // Input queued during the run is handled here; it may even start another run.
  host.ProcessPendingEvents();
  host.EnableQuit();
  host.StartProgram(JoinPath(variables.AppPath, kFirstViewer), name);
  host.StartProgram(JoinPath(variables.AppPath, kSecondViewer), name);
  host.SetBusyPointer(false);
  return {SortRunResult::Completed, {}};
}

}  // namespace ordalis
