#include "files/hold_wait.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/file_identity.h"

namespace ordalis {
namespace {

using std::chrono::milliseconds;

// What a step does after each failure, for a file that is writable,
// read-only, a folder, missing or pending deletion: W waits, F fails at once.
TEST(HoldWaitTest, WaitsOnlyWhereAHoldCanBeTheCause) {
  const struct {
    const char* failure_name;
    StepFailure failure;
    StepKind kind;
    const char* writable_readonly_folder_missing_pending;
  } rows[] = {
      // Another program's open or lock ends when it lets go, whatever the file.
      {"sharing violation", StepFailure::kSharingViolation, StepKind::kOpen, "WWWWW"},
      {"lock violation", StepFailure::kLockViolation, StepKind::kOpen, "WWWWW"},
      // At an open, access denied is a permission, which no wait mends,
      // unless the file is on its way out.
      {"access denied at an open", StepFailure::kAccessDenied, StepKind::kOpen, "FFFFW"},
      // At a move or a deletion it is also a reader that shares delete,
      // which can only hold a file that is there and writable.
      {"access denied at a move or delete", StepFailure::kAccessDenied, StepKind::kMoveOrDelete,
       "WFFFW"},
      {"delete pending", StepFailure::kDeletePending, StepKind::kOpen, "WWWWW"},
      {"another failure", StepFailure::kOther, StepKind::kMoveOrDelete, "FFFFF"},
  };
  const FileState states[] = {FileState::kWritable, FileState::kReadOnly, FileState::kFolder,
                              FileState::kMissing, FileState::kDeletePending};
  const char* state_names[] = {"writable", "read-only", "a folder", "missing", "pending delete"};
  for (const auto& row : rows) {
    for (std::size_t s = 0; s < std::size(states); ++s) {
      const bool waits = row.writable_readonly_folder_missing_pending[s] == 'W';
      EXPECT_EQ(IsWorthWaiting(row.failure, row.kind, states[s]), waits)
          << row.failure_name << " on a file that is " << state_names[s];
    }
  }
}

// A clock that moves only when the wait pauses.
class FakeClock : public WaitClock {
 public:
  std::chrono::steady_clock::time_point Now() override { return now_; }
  void Pause(milliseconds pause) override {
    pauses.push_back(pause);
    now_ += pause;
  }
  std::vector<milliseconds> pauses;

 private:
  std::chrono::steady_clock::time_point now_{};
};

TEST(HoldWaitTest, TriesAgainWithGrowingPausesWithinTheBound) {
  const struct {
    const char* what;
    std::vector<StepFailure> failures;  // Then success, as long as they last.
    FileState state;
    StepFailure ends_with;
    bool held;
    std::size_t attempts;  // 0: as many as the bound allows.
  } cases[] = {
      {"succeeds at once", {}, FileState::kWritable, StepFailure::kNone, false, 1},
      {"a hold of three tries is waited out",
       std::vector<StepFailure>(3, StepFailure::kSharingViolation), FileState::kWritable,
       StepFailure::kNone, false, 4},
      {"a permission fails at once without a pause",
       std::vector<StepFailure>(5, StepFailure::kAccessDenied), FileState::kWritable,
       StepFailure::kAccessDenied, false, 1},
      {"a lasting hold ends at the bound, held",
       std::vector<StepFailure>(1000, StepFailure::kLockViolation), FileState::kWritable,
       StepFailure::kLockViolation, true, 0},
  };
  for (const auto& c : cases) {
    FakeClock clock;
    std::size_t attempts = 0;
    int looks = 0;
    const HoldOutcome outcome = WaitOutHold(
        StepKind::kOpen,
        [&] {
          ++attempts;
          return attempts <= c.failures.size() ? c.failures[attempts - 1] : StepFailure::kNone;
        },
        [&] {
          ++looks;
          return c.state;
        },
        clock);
    EXPECT_EQ(outcome.failure, c.ends_with) << c.what;
    EXPECT_EQ(outcome.held, c.held) << c.what;
    if (c.attempts != 0) {
      EXPECT_EQ(attempts, c.attempts) << c.what;
    }
    EXPECT_EQ(clock.pauses.size(), attempts - 1) << c.what;
    // The file is looked at only for access denied.
    const bool denied = !c.failures.empty() && c.failures[0] == StepFailure::kAccessDenied;
    EXPECT_EQ(looks > 0, denied) << c.what;
    milliseconds waited{0};
    for (std::size_t i = 0; i < clock.pauses.size(); ++i) {
      EXPECT_EQ(clock.pauses[i], std::min(milliseconds(10 * (i + 1)), milliseconds(100))) << c.what;
      waited += clock.pauses[i];
    }
    EXPECT_LT(waited, kHeldFileWait + milliseconds(100)) << c.what;
    if (c.held) {
      EXPECT_GE(waited, kHeldFileWait) << c.what;
    }
  }
}

FileIdentity Identity(std::uint64_t volume, std::uint8_t id, std::wstring final_name = L"") {
  FileIdentity identity;
  identity.volume = volume;
  identity.id[15] = id;
  identity.final_name = std::move(final_name);
  return identity;
}

TEST(FileIdentityTest, TwoDifferentFilesAreNeverOne) {
  const struct {
    const char* what;
    FileIdentity a, b;
    bool same;
  } cases[] = {
      {"one ID on one volume", Identity(7, 1), Identity(7, 1), true},
      {"two IDs", Identity(7, 1), Identity(7, 2), false},
      {"one ID on two volumes", Identity(7, 1), Identity(8, 1), false},
      {"no IDs, one final name", Identity(7, 0, L"C:\\DATA\\A.DAT"),
       Identity(7, 0, L"C:\\DATA\\A.DAT"), true},
      {"no IDs, two final names", Identity(7, 0, L"C:\\DATA\\A.DAT"),
       Identity(7, 0, L"C:\\DATA\\B.DAT"), false},
      {"no IDs, no final names", Identity(7, 0), Identity(7, 0), false},
      {"no IDs, one final name on two volumes", Identity(7, 0, L"Z:\\A.DAT"),
       Identity(8, 0, L"Z:\\A.DAT"), false},
      {"an ID and none", Identity(7, 1, L""), Identity(7, 0, L"C:\\A.DAT"), false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSameIdentity(c.a, c.b), c.same) << c.what;
}

}  // namespace
}  // namespace ordalis
