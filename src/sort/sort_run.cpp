#include "sort_run.h"

#include <new>

#include "shared/directory_of.h"
#include "shared/text_file.h"
#include "sort/line_table.h"

namespace ordalis {

Status SortFile(const std::string& source, const std::string& target, SortMode mode,
                const KeyTexts& texts, EncodingChoice encoding, bool* lone_line_feed) {
  if (IsSameFile(source, target)) return Status::Error(kSameFileWarning);
  // Loading says itself when the source is too large; this catches the rest,
  // so that running out of memory ends the run instead of the program.
  try {
    LineTable table;
    if (Status s = LoadLines(source, &table, encoding); !s.ok()) return s;
    if (lone_line_feed != nullptr) *lone_line_feed = table.lone_line_feed;
    if (Status s = ShellSortLines(&table, mode, texts); !s.ok()) return s;
    return WriteLines(target, table);
  } catch (const std::bad_alloc&) {
    return Status::Error("not enough memory to sort \"" + source + "\"");
  }
}

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

  if (IsSameFile(name, variables.SourceFileName)) {
    host.ShowSameFileWarning();
    host.SetBusyPointer(false);
    return {SortRunResult::SameFile, kSameFileWarning};
  }
  // Remembered before the source is read, so it sticks even if the run fails.
  if (std::optional<std::string> directory = DirectoryOf(name)) variables.TargetPath = *directory;

  const Status sorted =
      SortFile(variables.SourceFileName, name, host.SelectedMode(), host.BoxTexts());
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
