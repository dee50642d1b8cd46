// ordalis-sort as a whole, apart from the process: reads the arguments, runs
// the sort and reports to the two output streams.
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace ordalis {

inline constexpr int kExitWritten = 0;     // The target was written (or help shown).
inline constexpr int kExitFailed = 1;      // The run failed; the target is as it was.
inline constexpr int kExitUsageError = 2;  // The command line was wrong.

// What standard output is: a file or a pipe, which gets a target's exact
// bytes, or a console, which shows text and gets the lines' characters as
// UTF-8, with no byte order mark.
enum class StandardOutput { Bytes, Console };

// Runs ordalis-sort with the arguments that follow the program name, writing
// help and version text to `out` and every complaint to `err`, one line each.
// Returns the exit status.
int RunSortCommand(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err,
                   StandardOutput out_kind = StandardOutput::Bytes);

}  // namespace ordalis
