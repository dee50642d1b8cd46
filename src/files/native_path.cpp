#include "native_path.h"

#include <filesystem>
#include <system_error>

#include "text/utf16.h"
#include "text/utf8.h"

namespace ordalis {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    // Surrogates pass, so that a Windows name holding a lone one comes back.
    const std::size_t length = Utf8SequenceLength(utf8.substr(i), Surrogates::Allowed);
    if (length == 0) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    ForEachUtf16Unit(DecodeUtf8(utf8.substr(i, length)),
                     [&out](char32_t unit) { out.push_back(static_cast<char16_t>(unit)); });
    i += length;
  }
  return out;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t code = utf16[i];
    if (IsHighSurrogate(code) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      code = FromSurrogates(code, utf16[++i]);
    }
    AppendUtf8(code, &out);
  }
  return out;
}

bool IsWindowsDeviceName(std::string_view file_name) {
  std::string stem(file_name.substr(0, file_name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();  // Windows drops them.
  for (char& c : stem) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

#if defined(_WIN32)

std::filesystem::path PathOf(std::string_view name) {
  const std::u16string wide = Utf16FromUtf8(name);
  return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
}

std::string NameOf(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  return Utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
  const std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(PathOf(name).c_str(), wide_mode.c_str());
}

#else

std::filesystem::path PathOf(std::string_view name) { return std::filesystem::path(name); }

std::string NameOf(const std::filesystem::path& path) { return path.native(); }

std::FILE* OpenFile(const std::string& name, const char* mode) {
  return std::fopen(name.c_str(), mode);
}

#endif

bool IsSameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code ec;
  return std::filesystem::equivalent(PathOf(a), PathOf(b), ec) && !ec;
}

}  // namespace ordalis
