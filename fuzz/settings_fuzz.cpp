// Reading any settings file returns six usable values and never crashes.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_input.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ordalis;
  static const std::string app_path = [] {
    const auto dir = std::filesystem::temp_directory_path() / "ordalis-settings-fuzz";
    std::filesystem::create_directories(dir);
    return dir.string();
  }();
  {
    std::ofstream file(SettingsFilePath(app_path), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const SettingsValues values = ReadSettings(app_path);
  fuzz::Require(!values.source_path.empty());
  fuzz::Require(!values.target_path.empty());
  fuzz::Require(!values.option_choice.empty());
  for (const std::string* text :
       {&values.source_path, &values.target_path, &values.left_count_text,
        &values.middle_count_text, &values.start_column_text, &values.option_choice}) {
    fuzz::Require(text->find('\r') == std::string::npos);
  }
  return 0;
}
