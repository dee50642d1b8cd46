// Waiting out a moment's hold on a file, as programs that live on Windows do.
// Virus scanners, the search indexer and sync clients open a file for a
// moment just after it is written or when it is opened; a step that meets
// such a hold is tried again for a few seconds before it fails. Files are
// held so on Windows only; nothing here exists elsewhere.
#pragma once

#if defined(_WIN32)

#include <chrono>
#include <functional>
#include <string>

namespace ordalis {

// How long one step waits for a file to be let go: longer than a scanner or
// a sync client holds a file it has just seen, short enough for a person
// watching the busy pointer. A run has at most five such steps (the source,
// the in-use check, the temporary file, the move, its clean-up): 12.5 s.
inline constexpr std::chrono::milliseconds kHeldFileWait{2500};

// Runs `attempt`, which returns 0 or a Windows error code, until it succeeds,
// fails for a reason that waiting cannot mend, or kHeldFileWait has passed,
// pausing 10 ms more after each try, up to 100 ms. A sharing or lock
// violation is waited out, and so is access denied while `file` (the name
// Windows is given) is a file that exists and is not read-only. Returns the
// last attempt's result.
unsigned long WaitOutHold(const std::wstring& file, const std::function<unsigned long()>& attempt);

// True when `error`, a Windows error code, says another program holds the file.
bool IsHeldError(unsigned long error);

// The errno value nearest to a Windows error code, so messages read alike on
// both systems: EBUSY for a file another program holds.
int ErrnoOf(unsigned long error);

}  // namespace ordalis

#endif
