// How the number boxes and the option captions look for a sort mode: which
// boxes are enabled and light green, and which caption is bold and red; and
// the colours each box and caption is drawn in, down to the text.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "sort/sort_mode.h"
#include "window/logic/form_table.h"

namespace ordalis {

// Indexes 0..2 stand for Text1..Text3 (boxes) and Option1..Option3 (captions).
struct ModeLook {
  std::array<bool, 3> box_enabled{};
  std::array<bool, 3> box_highlighted{};
  std::array<bool, 3> caption_highlighted{};

  friend bool operator==(const ModeLook&, const ModeLook&) = default;
};

// The look before any click rule has run: every box enabled, nothing
// highlighted. The window opens with it when no mode is remembered.
inline constexpr ModeLook kStartUpLook{{true, true, true}, {}, {}};

// The click rule of the option button for `option`: every box disabled and
// plain, every caption plain; then, if the option is now `selected`, its
// caption highlighted and its own boxes enabled and highlighted.
// REQUIRES: option is LeftMost, Middle or RightMost.
ModeLook OptionClickLook(SortMode option, bool selected);

// True when the boxes of `mode` include box `box` (0 for Text1 .. 2 for Text3).
bool ModeUsesBox(SortMode mode, std::size_t box);

// The colours the desktop's theme decides.
enum class ThemeColour {
  WindowBackground,  // Of a text box.
  WindowText,        // In a text box.
  GrayText,          // In a disabled control.
  ButtonFace,        // Behind labels and option buttons.
  ButtonText,        // Of labels and option captions.
};

// A colour fixed by the form, or one the theme decides.
struct Colour {
  std::optional<Rgb> fixed;
  ThemeColour theme = ThemeColour::WindowText;  // When nothing is fixed.

  static constexpr Colour Fixed(Rgb rgb) { return {rgb, ThemeColour::WindowText}; }
  static constexpr Colour Theme(ThemeColour theme) { return {std::nullopt, theme}; }
  friend bool operator==(const Colour&, const Colour&) = default;
};

struct BoxColours {
  Colour background;
  Colour text;
  friend bool operator==(const BoxColours&, const BoxColours&) = default;
};

struct CaptionLook {
  Colour text;
  bool bold = false;
  friend bool operator==(const CaptionLook&, const CaptionLook&) = default;
};

// The colours of number box `box` under `look`: light green with dark text
// when highlighted, the theme's otherwise, grey text when disabled. A
// disabled box keeps its background rather than the grey of a read-only one.
BoxColours NumberBoxColours(const ModeLook& look, std::size_t box);

// "Use a different output filename": light red with dark text, always.
BoxColours SameFileBoxColours();

// The caption of option `option` (0 for Option1) under `look`.
CaptionLook OptionCaptionLook(const ModeLook& look, std::size_t option);

// Labels are drawn in the theme's text colour on the form's face.
inline constexpr Colour kLabelText = Colour::Theme(ThemeColour::ButtonText);
inline constexpr Colour kFormFace = Colour::Theme(ThemeColour::ButtonFace);

}  // namespace ordalis
