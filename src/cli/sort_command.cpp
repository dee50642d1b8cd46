#include "sort_command.h"

#include <string>

#include "cli/cli_options.h"
#include "shared/code_page.h"
#include "sort/sort_key.h"
#include "sort/sort_run.h"

namespace ordalis {

int RunSortCommand(const std::vector<std::string_view>& args, std::ostream& out,
                   std::ostream& err) {
  const CliOptions options = ParseCommandLine(args);
  switch (options.action) {
    case CliAction::UsageError:
      err << kProgramName << ": " << options.error << '\n'
          << "Try '" << kProgramName << " --help' for more information.\n";
      return kExitUsageError;
    case CliAction::Help:
    case CliAction::Version:
      if (options.action == CliAction::Help) {
        out << UsageText();
      } else {
        out << kProgramName << ' ' << ORDALIS_VERSION << '\n';
      }
      // A help text lost to a full disk or a closed pipe must not pass for success.
      if (!out.flush()) {
        err << kProgramName << ": cannot write to standard output\n";
        return kExitFailed;
      }
      return kExitWritten;
    case CliAction::Sort:
      break;
  }

  // The texts reach the engine as the window's boxes would hand them over.
  KeyTexts texts;
  texts.text1 = WidenFromCodePage(options.left_count);
  texts.text2 = WidenFromCodePage(options.middle_count);
  texts.text3 = WidenFromCodePage(options.start_column);

  bool lone_line_feed = false;
  const Status sorted =
      SortFile(options.source, options.target, options.mode, texts, &lone_line_feed);
  if (!sorted.ok()) {
    err << kProgramName << ": " << sorted.message() << '\n';
    return kExitFailed;
  }
  if (lone_line_feed) {
    // The window sorts such a file the same way without a word; here the user
    // can at least learn why a file with LF-only line ends came out unchanged.
    err << kProgramName << ": warning: \"" << options.source
        << "\" has line feeds that end no line; lines end only at CR or CR LF, so it was "
           "sorted as fewer, longer lines\n";
  }
  return kExitWritten;
}

}  // namespace ordalis
