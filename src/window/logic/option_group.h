// The three option buttons as one group: what selecting one does, which one
// the sort reads, and which one Tab reaches. A shell reaches its buttons only
// through OptionGroupHost.
#pragma once

#include <array>
#include <cstddef>

#include "sort/sort_mode.h"
#include "window/logic/mode_look.h"

namespace ordalis {

// What the group needs from a shell. Options are 0 for Option1 .. 2 for Option3.
class OptionGroupHost {
 public:
  virtual ~OptionGroupHost() = default;

  virtual bool IsOptionChecked(std::size_t option) = 0;
  // Checks or clears `option` without running its click rule.
  virtual void SetOptionChecked(std::size_t option, bool checked) = 0;
  // Shows `look` on the boxes and captions.
  virtual void ApplyModeLook(const ModeLook& look) = 0;
  // Makes `option` the one Tab stops at; the other two are reached with the
  // arrow keys from it.
  virtual void SetOptionTabStop(std::size_t option) = 0;
};

// The option of `mode`. REQUIRES: mode is LeftMost, Middle or RightMost.
std::size_t OptionOfMode(SortMode mode);

// The mode the checked options stand for; Option1 wins, then Option2.
SortMode ModeOfCheckedOptions(const std::array<bool, 3>& checked);

// The option Tab stops at: the checked one, or Option1 when none is, so that
// a keyboard can always reach the group.
std::size_t OptionWithTabStop(const std::array<bool, 3>& checked);

// The click rule of `option`, run after a click, the space bar or an arrow
// key changed the group: the look of the mode it now shows, and the tab stop.
void OptionClicked(OptionGroupHost& host, std::size_t option);

// Checks the option of `mode` and runs its click rule, as start-up does.
// REQUIRES: mode is LeftMost, Middle or RightMost.
void SelectOption(OptionGroupHost& host, SortMode mode);

// Clears all three options without running a click rule.
void ClearOptions(OptionGroupHost& host);

// The mode of the option checked now, or None.
SortMode SelectedMode(OptionGroupHost& host);

}  // namespace ordalis
