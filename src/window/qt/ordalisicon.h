// The program's icon, drawn in code: a document page with a red
// right-pointing triangle at its left edge.
#pragma once

class QIcon;
class QImage;

namespace ordalis {

// The sizes, in pixels, at which the icon is drawn for the window and for the
// desktop's menus.
inline constexpr int kOrdalisIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Returns the icon drawn on a square of `size` pixels. At 32 pixels it is
// the form's 32 x 32 icon pixel for pixel; other sizes scale the same
// drawing, smoothed. Needs no running application.
// REQUIRES: size > 0.
QImage DrawOrdalisIcon(int size);

// Returns the icon at every size of kOrdalisIconSizes.
QIcon OrdalisIcon();

}  // namespace ordalis
