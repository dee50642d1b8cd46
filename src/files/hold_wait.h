// Waiting out a moment's hold on a file, as programs that live on Windows do.
// Virus scanners, the search indexer and sync clients open a file for a
// moment just after it is written or when it is opened; a step that meets
// such a hold is tried again for a few seconds before it fails. Only Windows
// holds files so, but the choice of what to wait for is the system's words
// put into these terms, and is the same wherever it is tested.
#pragma once

#include <chrono>
#include <functional>

namespace ordalis {

// How long one step waits for a file to be let go: longer than a scanner or
// a sync client holds a file it has just seen, short enough for a person
// watching the busy pointer. A run has at most five such steps (the source,
// the in-use check, the temporary file, the move, its clean-up): 12.5 s.
inline constexpr std::chrono::milliseconds kHeldFileWait{2500};

// How a step on a file failed, in the terms the choice needs.
enum class StepFailure {
  kNone,              // It succeeded.
  kSharingViolation,  // Another program has the file open and shares too little.
  kLockViolation,     // Another program has locked part of it.
  kAccessDenied,      // Not allowed: permissions, or a file on its way out.
  kDeletePending,     // The file is deleted and goes when its last holder closes it.
  kOther,             // Anything else: no wait mends it.
};

// What the step does to the file.
enum class StepKind {
  kOpen,          // Opening it, to read or write.
  kMoveOrDelete,  // Renaming over it or deleting it: Windows reports a reader
                  // that shares delete as access denied here.
};

// What is at the file's name, as seen just after a failure.
enum class FileState { kWritable, kReadOnly, kFolder, kMissing, kDeletePending };

// True when a `kind` step that failed with `failure` on a file in `state`
// may succeed if tried again soon; false when it fails for good at once.
bool IsWorthWaiting(StepFailure failure, StepKind kind, FileState state);

// The passing of time while a step waits: the real clock, or a test's.
class WaitClock {
 public:
  virtual ~WaitClock() = default;
  virtual std::chrono::steady_clock::time_point Now() = 0;
  virtual void Pause(std::chrono::milliseconds pause) = 0;
};

// The steady clock, and a pause that sleeps.
WaitClock& RealWaitClock();

// How a step ended: its last failure, and whether that failure was still
// one that a wait could mend (another program kept the file past the wait).
struct HoldOutcome {
  StepFailure failure = StepFailure::kNone;
  bool held = false;
};

// Runs `attempt` until it succeeds, fails in a way IsWorthWaiting says no
// wait mends (asking `look` what is at the file only where the failure
// needs it), or kHeldFileWait has passed, pausing 10 ms more after each try,
// up to 100 ms.
HoldOutcome WaitOutHold(StepKind kind, const std::function<StepFailure()>& attempt,
                        const std::function<FileState()>& look, WaitClock& clock = RealWaitClock());

}  // namespace ordalis
