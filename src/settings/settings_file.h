// The settings file Ordalis.ini beside the executable: the last directories,
// the three box texts and the sort mode, kept from one use to the next.
#pragma once

#include <string>

#include "shared/status.h"

namespace ordalis {

inline constexpr char kSettingsFileName[] = "Ordalis.ini";

// The six values the file carries. The texts are bytes in the code page of
// the file (see shared/code_page.h); directories are native paths.
struct SettingsValues {
  std::string source_path;
  std::string target_path;
  std::string left_count_text = "12";    // Text1.
  std::string middle_count_text = "4";   // Text2.
  std::string start_column_text = "20";  // Text3.
  std::string option_choice = "1";       // "1", "2", "3", or anything else for no mode.
};

// Returns AppPath + separator + "Ordalis.ini".
std::string SettingsFilePath(const std::string& app_path);

// Reads the file in `app_path`, creating it empty when it is missing, and
// applies the defaults: empty directories become `app_path`, an empty option
// choice becomes "1", an absent box text keeps its design default. A file that
// cannot be created or read gives all the defaults. Never fails.
SettingsValues ReadSettings(const std::string& app_path);

// Replaces the file in `app_path` with `values`, whole, or leaves the old file
// exactly as it was and says why.
Status WriteSettings(const std::string& app_path, const SettingsValues& values);

}  // namespace ordalis
