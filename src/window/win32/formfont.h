// The window's type: the first of the form's faces that is installed.
#pragma once

#include <string>

#include <windows.h>

namespace ordalis {

// The face the form's fonts are made from.
const std::wstring& FormFontFace();

// A font of the form's face, `points` high at `dpi`. The caller deletes it.
HFONT MakeFormFont(double points, int dpi, bool bold);

}  // namespace ordalis
