// The option group of a fake window: which mode's option is checked, and
// nothing drawn. Fakes of the handlers' hosts take it for their group.
#pragma once

#include <cstddef>

#include "window/logic/option_group.h"

namespace ordalis::testing {

class FakeOptionGroup : public virtual OptionGroupHost {
 public:
  SortMode mode = SortMode::None;  // The mode of the checked option, or None.

  bool IsOptionChecked(std::size_t option) override {
    return mode != SortMode::None && OptionOfMode(mode) == option;
  }
  void SetOptionChecked(std::size_t option, bool checked) override {
    if (checked) {
      mode = ModeOfCheckedOptions({option == 0, option == 1, option == 2});
    } else if (IsOptionChecked(option)) {
      mode = SortMode::None;
    }
  }
  void ApplyModeLook(const ModeLook&) override {}
  void SetOptionTabStop(std::size_t) override {}
};

}  // namespace ordalis::testing
