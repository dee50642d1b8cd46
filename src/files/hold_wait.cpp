#include "hold_wait.h"

#include <algorithm>
#include <thread>

namespace ordalis {
namespace {

class SteadyWaitClock : public WaitClock {
 public:
  std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::now(); }
  void Pause(std::chrono::milliseconds pause) override { std::this_thread::sleep_for(pause); }
};

}  // namespace

bool IsWorthWaiting(StepFailure failure, StepKind kind, FileState state) {
  switch (failure) {
    case StepFailure::kSharingViolation:
    case StepFailure::kLockViolation:
    case StepFailure::kDeletePending:
      return true;  // Ends when the other program lets the file go.
    case StepFailure::kAccessDenied:
      // A permission never comes by waiting. A file on its way out, or (at a
      // move or a deletion) a reader that shares delete, goes away; a folder,
      // a read-only file or a missing one stays as it is.
      return state == FileState::kDeletePending ||
             (kind == StepKind::kMoveOrDelete && state == FileState::kWritable);
    case StepFailure::kNone:
    case StepFailure::kOther:
      return false;
  }
  return false;
}

WaitClock& RealWaitClock() {
  static SteadyWaitClock clock;
  return clock;
}

HoldOutcome WaitOutHold(StepKind kind, const std::function<StepFailure()>& attempt,
                        const std::function<FileState()>& look, WaitClock& clock) {
  const auto deadline = clock.Now() + kHeldFileWait;
  std::chrono::milliseconds pause{0};
  for (;;) {
    const StepFailure failure = attempt();
    if (failure == StepFailure::kNone) return {};
    // Only access denied depends on the file; the others need no look.
    const FileState state = failure == StepFailure::kAccessDenied ? look() : FileState::kWritable;
    const bool worth_waiting = IsWorthWaiting(failure, kind, state);
    if (!worth_waiting || clock.Now() >= deadline) return {failure, worth_waiting};
    pause = std::min(pause + std::chrono::milliseconds(10), std::chrono::milliseconds(100));
    clock.Pause(pause);
  }
}

}  // namespace ordalis
