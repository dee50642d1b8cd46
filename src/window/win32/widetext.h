// The Windows API takes UTF-16 (wchar_t is 16 bits there); the program holds
// UTF-8. These convert at the API's door.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "files/native_path.h"

namespace ordalis {

inline std::wstring Wide(std::string_view utf8) {
  const std::u16string text = Utf16FromUtf8(utf8);
  return std::wstring(text.begin(), text.end());
}

inline std::string Utf8(std::wstring_view wide) {
  return Utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

// The text of a window or control.
inline std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace ordalis
