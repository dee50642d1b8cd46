#include "formfont.h"

#include <cmath>

#include "widetext.h"
#include "window/logic/form_table.h"

namespace ordalis {
namespace {

int CALLBACK NoteTrueTypeFound(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
  if ((type & TRUETYPE_FONTTYPE) == 0) return 1;  // Look on.
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // One is enough.
}

}  // namespace

const std::wstring& FormFontFace() {
  static const std::wstring face = [] {
    const HDC screen = GetDC(nullptr);
    std::wstring chosen = Wide(kFormFontFallback);
    for (const char* family : kFormFontFamilies) {
      LOGFONTW wanted{};
      wanted.lfCharSet = DEFAULT_CHARSET;
      Wide(family).copy(wanted.lfFaceName, LF_FACESIZE - 1);
      bool found = false;
      EnumFontFamiliesExW(screen, &wanted, &NoteTrueTypeFound, reinterpret_cast<LPARAM>(&found), 0);
      if (found) {
        chosen = Wide(family);
        break;
      }
    }
    ReleaseDC(nullptr, screen);
    return chosen;
  }();
  return face;
}

HFONT MakeFormFont(double points, int dpi, bool bold) {
  // OUT_TT_PRECIS: a TrueType font of the face where there is one, which
  // scales to any DPI and takes bold at every size.
  const int height = -static_cast<int>(std::lround(points * dpi / 72.0));
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, FormFontFace().c_str());
}

}  // namespace ordalis
