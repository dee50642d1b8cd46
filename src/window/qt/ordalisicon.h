// The program's icon, drawn in code: a document page with a red
// right-pointing triangle at its left edge.
#pragma once

class QIcon;

namespace ordalis {

// Returns the 32 x 32 icon.
QIcon OrdalisIcon();

}  // namespace ordalis
