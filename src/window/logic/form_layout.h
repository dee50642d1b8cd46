// Where the form's controls go on a screen of any DPI, how far a label may
// grow to show its caption whole, and which control has the focus at start.
#pragma once

#include <string_view>

#include "window/logic/form_table.h"

namespace ordalis {

// The control that has the focus when the window opens: the first enabled
// one in the tab order.
inline constexpr std::string_view kStartUpFocus = "GetFile";

// Pixels of `twips` at `dpi` dots per inch, rounded to the nearest.
int PixelsOfTwips(int twips, int dpi);

// Twips of `pixels` at `dpi`, rounded up, so that a measured text still fits.
int TwipsOfPixels(int pixels, int dpi);

// Room a label keeps clear of the option column.
inline constexpr int kLabelGapTwips = 30;  // 2 pixels at 96 DPI.

// The widest a label may be: its form width, or up to the option column less
// kLabelGapTwips when that is wider. Labels draw no background, so growing
// changes nothing but the clipping.
int LabelRoomTwips(const FormControl& label);

// The place of `label` once its caption, `text_width` by `text_height`
// twips, is to show whole: as wide as the caption within LabelRoomTwips, at
// least one line high, never smaller than on the form.
TwipsRect FittedLabelPlace(const FormControl& label, int text_width, int text_height);

}  // namespace ordalis
