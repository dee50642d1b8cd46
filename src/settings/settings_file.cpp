#include "settings_file.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "files/directory_of.h"
#include "files/durable_replace.h"
#include "files/file_reading.h"
#include "files/file_system.h"
#include "files/names.h"
#include "text/line_reader.h"
#include "text/transcode.h"
#include "text/trim_spaces.h"
#include "text/wide_text.h"

namespace ordalis {
namespace {

// One entry per key, in the order the file is written and the keys are tested.
struct SettingsEntry {
  std::string_view key;  // As written; reading ignores letter case.
  std::string SettingsValues::*value;
};

constexpr std::array<SettingsEntry, 6> kEntries = {{
    {"[Source path]", &SettingsValues::source_path},
    {"[Target path]", &SettingsValues::target_path},
    {"[Left most characters]", &SettingsValues::left_count_text},
    {"[Start at column]", &SettingsValues::middle_count_text},
    {"[Right most start column]", &SettingsValues::start_column_text},
    {"[Option button]", &SettingsValues::option_choice},
}};

constexpr std::string_view kLineEnd = "\r\n";

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The keys are plain ASCII, and no byte above 0x7F lower-cases to ASCII in the
// file's code page, so folding ASCII letters alone decides the match.
bool IsKeyLine(std::string_view line, std::string_view key) {
  if (line.size() < key.size()) return false;  // Trimming only shortens it.
  const std::string_view trimmed = TrimSpaces(line);
  if (trimmed.size() != key.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (AsciiLower(trimmed[i]) != AsciiLower(key[i])) return false;
  }
  return true;
}

// Creates the file empty when nothing is there and leaves an existing one as
// it is. Anything but a regular file is left alone: opening a pipe or a device
// for writing could hang the start. Failure is not an error here; the read
// that follows falls back to the defaults.
void CreateIfMissing(const std::string& path) {
  const std::filesystem::file_status status = StatusOf(PathOf(path));
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) return;
  SystemError ignored;
  if (std::FILE* touch = OpenFile(path, "ab", &ignored)) std::fclose(touch);
}

// Appends `text` in the code page `page`; false, appending nothing, when the
// page cannot hold all of it, so that its bytes would read back as another
// name.
bool AppendInPage(std::u16string_view text, const Encoding& page, std::string* bytes) {
  std::string in_page;
  if (!Transcode(BytesOf(text), NativeUtf16Encoding(), page, &in_page)) return false;
  std::string read_back;
  Transcode(in_page, page, NativeUtf16Encoding(), &read_back, U'\uFFFD');
  if (read_back != BytesOf(text)) return false;
  bytes->append(in_page);
  return true;
}

bool FitsCodePage(std::u16string_view text, const Encoding& page) {
  std::string ignored;
  return AppendInPage(text, page, &ignored);
}

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// The length of the part of `name` that is no folder of its own: a drive
// (C:\ or C:), \\server\share, a lone \ at the start, or nothing.
std::size_t RootLength(std::u16string_view name) {
  std::size_t end = 0;
  if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1])) {
    end = 2;
    for (int part = 0; part < 2; ++part) {
      if (part == 1 && end < name.size()) ++end;
      while (end < name.size() && !IsSeparator(name[end])) ++end;
    }
    return end;
  }
  if (name.size() >= 2 && name[1] == u':') end = 2;
  if (end < name.size() && IsSeparator(name[end])) ++end;
  return end;
}

// On Windows the directories the program holds are UTF-8 and the file holds
// code-page bytes; elsewhere both are the file system's bytes.
std::string DirectoryFromFile(std::string bytes) {
  return kNamesAreUtf8 ? WindowsDirectoryFromCodePage(bytes) : bytes;
}

std::string DirectoryForFile(const std::string& name) {
  return kNamesAreUtf8 ? WindowsDirectoryToCodePage(name) : name;
}

bool IsDirectory(std::string SettingsValues::*value) {
  return value == &SettingsValues::source_path || value == &SettingsValues::target_path;
}

}  // namespace

std::string WindowsDirectoryToCodePage(std::string_view name, const Encoding& page) {
  const std::u16string wide = Utf16FromUtf8(name);
  const std::u16string_view text = wide;
  std::string bytes;
  if (AppendInPage(text, page, &bytes)) return bytes;
  const std::size_t root = RootLength(text);
  if (!FitsCodePage(text.substr(0, root), page)) return {};
  // Whole folder names only: a name cut short could be another folder.
  std::size_t kept = root;
  for (std::size_t start = root; start < text.size();) {
    std::size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    if (!FitsCodePage(text.substr(start, end - start), page)) break;
    kept = end;
    start = end + 1;
  }
  bytes.clear();
  AppendInPage(text.substr(0, kept), page, &bytes);
  return bytes;
}

std::string WindowsDirectoryFromCodePage(std::string_view bytes, const Encoding& page) {
  return ToUtf8(bytes, page);
}

std::string SettingsFilePath(const std::string& app_path) {
  return JoinPath(app_path, kSettingsFileName);
}

SettingsValues ReadSettings(const std::string& app_path) {
  const std::string path = SettingsFilePath(app_path);
  CreateIfMissing(path);

  // Read one line at a time, keeping only the values found and the current
  // line, so that memory is bounded by the longest line whatever the file.
  std::array<std::optional<std::string>, kEntries.size()> found;
  std::FILE* file = nullptr;
  if (OpenForReading(path, &file).ok()) {
    LineReader reader([file](char* buffer, std::size_t size, SystemError* error) {
      return ReadBytes(file, buffer, size, error);
    });
    try {
      std::string line;
      while (reader.AppendLine(&line)) {
        // A match moves `line` on to its value line, and the keys still to be
        // tested in this pass are tested against that value line.
        for (std::size_t k = 0; k < kEntries.size(); ++k) {
          if (!IsKeyLine(line, kEntries[k].key)) continue;
          line.clear();
          // A key on the last line has no value line: it counts as empty.
          reader.AppendLine(&line);
          found[k] = std::string(TrimSpaces(std::string_view(line)));
        }
        line.clear();
      }
    } catch (const std::bad_alloc&) {
      // A line too long to hold ends the reading; what was not read keeps
      // its default.
    }
    // A file that fails part way may have cut a value short: trust none.
    if (reader.error().failed()) found = {};
    std::fclose(file);
  }

  SettingsValues values;  // Holds the box texts' design defaults.
  for (std::size_t k = 0; k < kEntries.size(); ++k) {
    if (!found[k]) continue;
    values.*kEntries[k].value =
        IsDirectory(kEntries[k].value) ? DirectoryFromFile(*found[k]) : std::move(*found[k]);
  }
  if (values.source_path.empty()) values.source_path = app_path;
  if (values.target_path.empty()) values.target_path = app_path;
  if (values.option_choice.empty()) values.option_choice = SettingsValues().option_choice;  // "1".
  return values;
}

Status WriteSettings(const std::string& app_path, const SettingsValues& values) {
  std::string contents;
  for (const SettingsEntry& entry : kEntries) {
    const std::string& value = values.*entry.value;
    contents.append(entry.key).append(kLineEnd);
    // With no mode selected the file ends at the option key.
    if (entry.value == &SettingsValues::option_choice && value.empty()) break;
    contents.append(IsDirectory(entry.value) ? DirectoryForFile(value) : value).append(kLineEnd);
  }
  return WriteFileAtomically(SettingsFilePath(app_path), contents);
}

}  // namespace ordalis
