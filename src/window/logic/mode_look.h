// How the number boxes and the option captions look for a sort mode: which
// boxes are enabled and light green, and which caption is bold and red.
#pragma once

#include <array>
#include <cstddef>

#include "shared/sort_mode.h"

namespace ordalis {

// Indexes 0..2 stand for Text1..Text3 (boxes) and Option1..Option3 (captions).
struct ModeLook {
  std::array<bool, 3> box_enabled{};
  std::array<bool, 3> box_highlighted{};
  std::array<bool, 3> caption_highlighted{};

  friend bool operator==(const ModeLook&, const ModeLook&) = default;
};

// The click rule of the option button for `option`: every box disabled and
// plain, every caption plain; then, if the option is now `selected`, its
// caption highlighted and its own boxes enabled and highlighted.
// REQUIRES: option is LeftMost, Middle or RightMost.
ModeLook OptionClickLook(SortMode option, bool selected);

// True when the boxes of `mode` include box `box` (0 for Text1 .. 2 for Text3).
bool ModeUsesBox(SortMode mode, std::size_t box);

}  // namespace ordalis
