// The form logic's colours as Qt paints them: a fixed colour, or the colour
// of the widget's theme that a theme colour stands for.
#pragma once

#include <QColor>
#include <QPalette>

#include "window/logic/mode_look.h"

class QLineEdit;

namespace ordalis {

// The colour `colour` names, in `group`, for a widget whose theme is `theme`.
QColor Resolve(const Colour& colour, const QPalette& theme, QPalette::ColorGroup group);

// Paints `box` in `colours`, in every state of the widget.
void PaintBox(QLineEdit* box, const BoxColours& colours);

}  // namespace ordalis
