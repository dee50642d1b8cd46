// The form logic's colours as the Windows API draws them: a fixed colour,
// or the system colour a theme colour stands for.
#pragma once

#include <map>

#include <windows.h>

#include "window/logic/mode_look.h"

namespace ordalis {

class FormColours {
 public:
  FormColours() = default;
  FormColours(const FormColours&) = delete;
  FormColours& operator=(const FormColours&) = delete;
  ~FormColours();

  // Answers WM_CTLCOLOR*: sets up `dc` and returns the background brush.
  LRESULT Paint(HDC dc, const Colour& text, const Colour& background);

 private:
  HBRUSH BrushOf(const Colour& colour);

  std::map<COLORREF, HBRUSH> brushes_;  // For the fixed colours, made once.
};

}  // namespace ordalis
