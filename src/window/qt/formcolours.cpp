#include "formcolours.h"

#include <QtWidgets>

namespace ordalis {

QColor Resolve(const Colour& colour, const QPalette& theme, QPalette::ColorGroup group) {
  if (colour.fixed) return QColor(colour.fixed->red, colour.fixed->green, colour.fixed->blue);
  switch (colour.theme) {
    case ThemeColour::WindowBackground:
      return theme.color(QPalette::Active, QPalette::Base);  // Kept when disabled, too.
    case ThemeColour::WindowText:
      return theme.color(group, QPalette::Text);
    case ThemeColour::GrayText:
      return theme.color(QPalette::Disabled, QPalette::Text);
    case ThemeColour::ButtonFace:
      return theme.color(group, QPalette::Button);
    case ThemeColour::ButtonText:
      return theme.color(QPalette::Active, QPalette::ButtonText);
  }
  return {};
}

void PaintBox(QLineEdit* box, const BoxColours& colours) {
  const QPalette theme = QApplication::palette(box);
  QPalette palette = box->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, Resolve(colours.background, theme, group));
    palette.setColor(group, QPalette::Text, Resolve(colours.text, theme, group));
  }
  box->setPalette(palette);
}

}  // namespace ordalis
