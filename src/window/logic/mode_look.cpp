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

BoxColours NumberBoxColours(const ModeLook& look, std::size_t box) {
  const bool highlighted = look.box_highlighted[box];
  // Text on a fixed light background stays dark whatever the theme, so a
  // dark theme's light text cannot vanish on it.
  const Colour text = !look.box_enabled[box] ? Colour::Theme(ThemeColour::GrayText)
                      : highlighted          ? Colour::Fixed(kTextOnFixedColour)
                                             : Colour::Theme(ThemeColour::WindowText);
  const Colour background = highlighted ? Colour::Fixed(kHighlightedBoxColour)
                                        : Colour::Theme(ThemeColour::WindowBackground);
  return {background, text};
}

BoxColours SameFileBoxColours() {
  return {Colour::Fixed(kSameFileBoxColour), Colour::Fixed(kTextOnFixedColour)};
}

CaptionLook OptionCaptionLook(const ModeLook& look, std::size_t option) {
  if (look.caption_highlighted[option]) return {Colour::Fixed(kHighlightedCaptionColour), true};
  return {Colour::Theme(ThemeColour::ButtonText), false};
}

}  // namespace ordalis
