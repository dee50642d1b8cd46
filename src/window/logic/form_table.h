// The form frmOrdalis as designed: every control's name, kind, place in twips,
// caption, tab index and state at start-up, and the window's texts and
// colours. Each shell builds its controls from here, so the two windows
// place, name and label them alike. (Only the Qt window makes Timer1, which
// nothing starts; the Windows window leaves it out.)
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "sort/default_texts.h"
#include "sort/sort_file.h"

namespace ordalis {

enum class ControlKind { Button, TextBox, Label, OptionButton };

// Left, top, width and height in twips (1/1440 inch).
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

// How a control stands when the window opens.
enum class StartUp {
  Enabled,
  Disabled,  // Enabled later by the handlers.
  Hidden,    // Shown later by the handlers.
};

// Where a caption or a box's text sits across its control; labels' text
// sits at the top.
enum class Alignment { Left, Centre };

struct FormControl {
  std::string_view name;  // The control's form name, also its object name.
  ControlKind kind;
  TwipsRect place;
  std::string_view caption;  // Caption, or the initial text of a box.
  int tab_index;             // 0 is first.
  StartUp start_up = StartUp::Enabled;
  Alignment alignment = Alignment::Left;
  // A label widened at run time to show its caption whole in the window's
  // font, which may be wider than the form's (see FittedLabelPlace).
  bool fitted_to_caption = false;
};

// The client area below the menu bar.
inline constexpr int kClientWidthTwips = 5400;
inline constexpr int kClientHeightTwips = 2136;
inline constexpr double kTwipsPerInch = 1440.0;

// In the order of the form's table. "Target File" waits for a source, "Quit"
// for the first completed sort, the warning for a target that names the source.
// clang-format off
inline constexpr FormControl kFormControls[] = {
    // name        kind                       left  top   width height  caption / text                     tab  at start            alignment         fitted
    {"GetFile",     ControlKind::Button,       {300,  180,  1332, 372}, "Source File",                      2},
    {"TargetFile",  ControlKind::Button,       {2040, 180,  1332, 372}, "Target File",                      1,  StartUp::Disabled},
    {"CmdExit",     ControlKind::Button,       {3840, 180,  1215, 375}, "Quit",                             0,  StartUp::Disabled},
    {"SameFileTxt", ControlKind::TextBox,      {528,  648,  2484, 288}, kSameFileWarning,                   13, StartUp::Hidden,  Alignment::Centre},
    {"Label3",      ControlKind::Label,        {3216, 816,  708,  240}, "Sort",                             10, StartUp::Enabled, Alignment::Centre},
    {"Text1",       ControlKind::TextBox,      {1128, 1008, 492,  288}, kDefaultLeftCount,                  3},
    {"Label1",      ControlKind::Label,        {1716, 1044, 780,  288}, "# char left",                      5,  StartUp::Enabled, Alignment::Left,  true},
    {"Option1",     ControlKind::OptionButton, {3060, 1008, 1440, 276}, "Left most",                        7},
    {"Text2",       ControlKind::TextBox,      {1128, 1344, 540,  288}, kDefaultMiddleCount,                4},
    {"Label2",      ControlKind::Label,        {1716, 1380, 1236, 168}, "# char in middle",                 6,  StartUp::Enabled, Alignment::Left,  true},
    {"Option2",     ControlKind::OptionButton, {3060, 1344, 1452, 276}, "Middle",                           8},
    {"Text3",       ControlKind::TextBox,      {1128, 1668, 540,  288}, kDefaultStartColumn,                11},
    {"Label4",      ControlKind::Label,        {1740, 1692, 1140, 168}, "start at column",                  12, StartUp::Enabled, Alignment::Left,  true},
    {"Option3",     ControlKind::OptionButton, {3060, 1668, 1392, 276}, "Right most",                       9},
};
// clang-format on

// Returns the control called `name`.
// REQUIRES: `name` is in kFormControls.
constexpr const FormControl& FormControlNamed(std::string_view name) {
  for (const FormControl& control : kFormControls) {
    if (control.name == name) return control;
  }
  return kFormControls[0];  // Unreachable for the names of the form.
}

// The option buttons and the number boxes by the index the form logic gives
// them (see mode_look.h), and the push buttons.
inline constexpr std::string_view kOptionNames[] = {"Option1", "Option2", "Option3"};
inline constexpr std::string_view kNumberBoxNames[] = {"Text1", "Text2", "Text3"};
inline constexpr std::string_view kButtonNames[] = {"GetFile", "TargetFile", "CmdExit"};

// The controls in the order Tab walks them, by tab index.
inline constexpr auto kTabOrder = [] {
  std::array<const FormControl*, std::size(kFormControls)> order{};
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = &kFormControls[i];
  std::sort(order.begin(), order.end(),
            [](const FormControl* a, const FormControl* b) { return a->tab_index < b->tab_index; });
  return order;
}();

// Each number box and the label that names it, for a screen reader.
struct BoxLabel {
  std::string_view box;
  std::string_view label;
};
inline constexpr BoxLabel kBoxLabels[] = {
    {"Text1", "Label1"}, {"Text2", "Label2"}, {"Text3", "Label4"}};

// The controls in the order a window creates them, which on Windows is their
// z-order: the tab order, but each box's label just before its box, since a
// screen reader on Windows names a box by the static text just before it.
// Labels are no tab stops, so Tab still walks the tab order.
inline constexpr auto kCreationOrder = [] {
  const auto label_of = [](const FormControl* box) -> const FormControl* {
    for (const BoxLabel& pair : kBoxLabels) {
      if (pair.box == box->name) return &FormControlNamed(pair.label);
    }
    return nullptr;
  };
  const auto is_box_label = [](const FormControl* control) {
    for (const BoxLabel& pair : kBoxLabels) {
      if (pair.label == control->name) return true;
    }
    return false;
  };
  std::array<const FormControl*, std::size(kFormControls)> order{};
  std::size_t next = 0;
  for (const FormControl* control : kTabOrder) {
    if (is_box_label(control)) continue;  // Placed with its box.
    if (const FormControl* label = label_of(control)) order[next++] = label;
    order[next++] = control;
  }
  return order;
}();

// A colour by its red, green and blue parts.
struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kHighlightedBoxColour{0xC0, 0xFF, 0xC0};      // Light green.
inline constexpr Rgb kHighlightedCaptionColour{0xFF, 0x00, 0x00};  // Red, with bold type.
inline constexpr Rgb kSameFileBoxColour{0xFF, 0xC0, 0xC0};         // Light red.
// Text on those fixed light backgrounds stays dark whatever the desktop's
// theme, so a dark theme's light text cannot vanish on them.
inline constexpr Rgb kTextOnFixedColour{0x00, 0x00, 0x00};

// The window's default type, and the bold type of "Sort" over the options:
// the first of these that is installed as a TrueType face, which scales to
// any DPI; MS Sans Serif itself is a raster face on Windows and does not.
// Tahoma is the dialog face of later Windows, and the one Wine ships.
inline constexpr const char* kFormFontFamilies[] = {"Microsoft Sans Serif", "Tahoma"};
// Asked for when none of them is installed; Windows then finds the nearest.
inline constexpr char kFormFontFallback[] = "MS Sans Serif";
inline constexpr double kFormFontPointSize = 8.0;
inline constexpr double kLabel3PointSize = 7.8;

// The window and its menus. The leading space of " File" is meant; no entry
// has an access key or a shortcut.
inline constexpr char kWindowTitle[] = "Ordalis";
inline constexpr char kFileMenuCaption[] = " File";
inline constexpr char kExitCaption[] = "Exit";
inline constexpr char kHelpMenuCaption[] = "Help";
inline constexpr char kAboutCaption[] = "About";
inline constexpr char kHowToCaption[] = "How To";

// The help boxes: OK only, no icon.
inline constexpr char kAboutTitle[] = " Ordalis  v1.0";
inline constexpr char kAboutText[] = "Ordalis v1.0, written by the Ordalis developers.";
inline constexpr char kHowToText[] =
    "This App will alpha sort ASCII text files that\r\n"
    "are in column format. Backup your files.\r\n"
    "\r\n"
    "Select the type of sort to be done.\r\n"
    "Select the # of characters when applicable.\r\n"
    "Select the start column when applicable.";

// The interval of Timer1, which is never started and has no handler.
inline constexpr int kTimer1IntervalMs = 50;

}  // namespace ordalis
