#include "mode_look.h"

#include <cassert>

namespace ordalis {

bool ModeUsesBox(SortMode mode, std::size_t box) {
  switch (mode) {
    case SortMode::LeftMost:
      return box == 0;
    case SortMode::Middle:
      return box == 1 || box == 2;  // The count, then the start column.
    case SortMode::RightMost:
      return box == 2;  // The start column is shared with Middle.
    case SortMode::None:
      break;
  }
  return false;
}

ModeLook OptionClickLook(SortMode option, bool selected) {
  assert(option != SortMode::None);
  ModeLook look;  // Everything disabled and plain.
  if (!selected) return look;
  look.caption_highlighted[static_cast<std::size_t>(option) - 1] = true;
  for (std::size_t box = 0; box < look.box_enabled.size(); ++box) {
    if (ModeUsesBox(option, box)) {
      look.box_enabled[box] = true;
      look.box_highlighted[box] = true;
    }
  }
  return look;
}

}  // namespace ordalis
