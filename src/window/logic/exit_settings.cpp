#include "exit_settings.h"

#include "text/code_page.h"

namespace ordalis {

SettingsValues GatherSettings(const ProgramVariables& variables, const KeyTexts& texts,
                              SortMode selected) {
  SettingsValues values;
  values.source_path = variables.SourcePath;
  values.target_path = variables.TargetPath;
  values.left_count_text = NarrowToCodePage(texts.text1);
  values.middle_count_text = NarrowToCodePage(texts.text2);
  values.start_column_text = NarrowToCodePage(texts.text3);
  // The option selected now, not the one read at start-up.
  values.option_choice =
      selected == SortMode::None ? std::string() : std::to_string(static_cast<int>(selected));
  return values;
}

std::string SettingsNotSavedMessage(const std::string& settings_file, const std::string& reason) {
  std::string message = "The settings could not be saved to " + settings_file + ".";
  if (!reason.empty()) message += "\n\n" + reason;
  return message;
}

void SaveSettingsAndEnd(const ProgramVariables& variables, ExitHost& host) {
  const SettingsValues values = GatherSettings(variables, host.BoxTexts(), SelectedMode(host));
  if (const Status written = WriteSettings(variables.AppPath, values); !written.ok()) {
    host.ReportSettingsNotSaved(
        SettingsNotSavedMessage(SettingsFilePath(variables.AppPath), written.message()));
  }
  host.EndProgram();
}

}  // namespace ordalis
