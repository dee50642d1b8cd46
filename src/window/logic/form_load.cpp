#include "form_load.h"

#include "text/code_page.h"

namespace ordalis {

SortMode ModeOfOptionChoice(std::string_view choice) {
  if (choice == "1") return SortMode::LeftMost;
  if (choice == "2") return SortMode::Middle;
  if (choice == "3") return SortMode::RightMost;
  return SortMode::None;
}

KeyTexts BoxTextsOf(const SettingsValues& values) {
  KeyTexts texts;
  texts.text1 = WidenFromCodePage(values.left_count_text);
  texts.text2 = WidenFromCodePage(values.middle_count_text);
  texts.text3 = WidenFromCodePage(values.start_column_text);
  return texts;
}

void ApplyStartUpValues(const SettingsValues& values, ProgramVariables& variables,
                        FormLoadHost& host) {
  variables.SourcePath = values.source_path;
  variables.TargetPath = values.target_path;
  variables.OptionChoice = values.option_choice;
  host.SetBoxTexts(BoxTextsOf(values));
  ClearOptions(host);
  const SortMode mode = ModeOfOptionChoice(variables.OptionChoice);
  // With no mode the click rule never runs: all boxes stay enabled and plain.
  if (mode != SortMode::None) SelectOption(host, mode);
}

void FormLoad(ProgramVariables& variables, FormLoadHost& host) {
  variables.AppPath = host.ExecutableDirectory();
  ApplyStartUpValues(ReadSettings(variables.AppPath), variables, host);
}

}  // namespace ordalis
