#include "form_layout.h"

#include <algorithm>

namespace ordalis {

int PixelsOfTwips(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = static_cast<long long>(kTwipsPerInch) / 2;
  return static_cast<int>((scaled + (scaled >= 0 ? half : -half)) /
                          static_cast<long long>(kTwipsPerInch));
}

int TwipsOfPixels(int pixels, int dpi) {
  const long long scaled = static_cast<long long>(pixels) * static_cast<long long>(kTwipsPerInch);
  return static_cast<int>((scaled + dpi - 1) / dpi);
}

int LabelRoomTwips(const FormControl& label) {
  const int option_column = FormControlNamed("Option1").place.left;
  return std::max(label.place.width, option_column - kLabelGapTwips - label.place.left);
}

TwipsRect FittedLabelPlace(const FormControl& label, int text_width, int text_height) {
  TwipsRect place = label.place;
  place.width = std::max(place.width, std::min(text_width, LabelRoomTwips(label)));
  place.height = std::max(place.height, text_height);
  return place;
}

}  // namespace ordalis
