// The kinds of sort key, numbered as the settings file stores them.
#pragma once

namespace ordalis {

enum class SortMode {
  None = 0,       // No option button selected: no key is cut, nothing moves.
  LeftMost = 1,   // The first N characters.
  Middle = 2,     // N characters from column S.
  RightMost = 3,  // Everything after the first S characters.
};

}  // namespace ordalis
