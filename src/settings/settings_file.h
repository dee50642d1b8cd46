// The settings file Ordalis.ini beside the executable: the last directories,
// the three box texts and the sort mode, kept from one use to the next.
//
// The file is text in the system's code page (SystemCodePageEncoding): on a
// Windows-1252 system, and on Linux, byte for byte what earlier versions
// wrote, so they read it. Linux writes directory names as the file system's
// bytes. Windows holds names as UTF-8 (files/names.h), and the file
// gets their code-page bytes. A folder
// whose name the code page cannot hold (C:\data\日本語\x) is never written as
// a mangled name that could point elsewhere: the file gets the nearest
// enclosing folder whose whole name fits (C:\data), or an empty value, which
// reads back as the program's own folder, when not even the drive or
// \\server\share fits.
#pragma once

#include <string>
#include <string_view>

#include "base/status.h"
#include "sort/default_texts.h"
#include "text/encoding.h"

namespace ordalis {

inline constexpr char kSettingsFileName[] = "Ordalis.ini";

// The six values the file carries. The texts are bytes in the code page of
// the file (see text/code_page.h); directories are native paths.
struct SettingsValues {
  std::string source_path;
  std::string target_path;
  std::string left_count_text{kDefaultLeftCount};      // Text1.
  std::string middle_count_text{kDefaultMiddleCount};  // Text2.
  std::string start_column_text{kDefaultStartColumn};  // Text3.
  std::string option_choice = "1";  // "1", "2", "3", or anything else for no mode.
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

// What the file holds for the Windows directory `name` (UTF-8): its bytes in
// the system's code page `page`, cut back as said above when the name does
// not fit.
std::string WindowsDirectoryToCodePage(std::string_view name,
                                       const Encoding& page = SystemCodePageEncoding());

// The Windows directory (UTF-8) that the file's `bytes` name.
std::string WindowsDirectoryFromCodePage(std::string_view bytes,
                                         const Encoding& page = SystemCodePageEncoding());

}  // namespace ordalis
