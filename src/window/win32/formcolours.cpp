#include "formcolours.h"

namespace ordalis {
namespace {

int SystemColourIndex(ThemeColour colour) {
  switch (colour) {
    case ThemeColour::WindowBackground:
      return COLOR_WINDOW;
    case ThemeColour::WindowText:
      return COLOR_WINDOWTEXT;
    case ThemeColour::GrayText:
      return COLOR_GRAYTEXT;
    case ThemeColour::ButtonFace:
      return COLOR_BTNFACE;
    case ThemeColour::ButtonText:
      return COLOR_BTNTEXT;
  }
  return COLOR_WINDOWTEXT;
}

COLORREF ColorRefOf(const Colour& colour) {
  if (!colour.fixed) return GetSysColor(SystemColourIndex(colour.theme));
  return RGB(colour.fixed->red, colour.fixed->green, colour.fixed->blue);
}

}  // namespace

FormColours::~FormColours() {
  for (const auto& [colour, brush] : brushes_) DeleteObject(brush);
}

LRESULT FormColours::Paint(HDC dc, const Colour& text, const Colour& background) {
  SetTextColor(dc, ColorRefOf(text));
  SetBkColor(dc, ColorRefOf(background));
  return reinterpret_cast<LRESULT>(BrushOf(background));
}

HBRUSH FormColours::BrushOf(const Colour& colour) {
  if (!colour.fixed) return GetSysColorBrush(SystemColourIndex(colour.theme));
  HBRUSH& brush = brushes_[ColorRefOf(colour)];
  if (brush == nullptr) brush = CreateSolidBrush(ColorRefOf(colour));
  return brush;
}

}  // namespace ordalis
