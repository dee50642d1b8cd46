#include "option_group.h"

#include <cassert>

namespace ordalis {
namespace {

std::array<bool, 3> CheckedOptions(OptionGroupHost& host) {
  return {host.IsOptionChecked(0), host.IsOptionChecked(1), host.IsOptionChecked(2)};
}

}  // namespace

std::size_t OptionOfMode(SortMode mode) {
  assert(mode != SortMode::None);
  return static_cast<std::size_t>(mode) - 1;
}

SortMode ModeOfCheckedOptions(const std::array<bool, 3>& checked) {
  if (checked[0]) return SortMode::LeftMost;
  if (checked[1]) return SortMode::Middle;
  if (checked[2]) return SortMode::RightMost;
  return SortMode::None;
}

std::size_t OptionWithTabStop(const std::array<bool, 3>& checked) {
  const SortMode mode = ModeOfCheckedOptions(checked);
  return mode == SortMode::None ? 0 : OptionOfMode(mode);
}

void OptionClicked(OptionGroupHost& host, std::size_t option) {
  const std::array<bool, 3> checked = CheckedOptions(host);
  host.ApplyModeLook(OptionClickLook(static_cast<SortMode>(option + 1), checked[option]));
  host.SetOptionTabStop(OptionWithTabStop(checked));
}

void SelectOption(OptionGroupHost& host, SortMode mode) {
  const std::size_t option = OptionOfMode(mode);
  host.SetOptionChecked(option, true);
  OptionClicked(host, option);
}

void ClearOptions(OptionGroupHost& host) {
  for (std::size_t option = 0; option < 3; ++option) host.SetOptionChecked(option, false);
  host.SetOptionTabStop(OptionWithTabStop({}));
}

SortMode SelectedMode(OptionGroupHost& host) { return ModeOfCheckedOptions(CheckedOptions(host)); }

}  // namespace ordalis
