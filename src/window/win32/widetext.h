// The Windows API takes UTF-16 (wchar_t is 16 bits there); the program holds
// UTF-8. These convert at the API's door.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "text/wide_text.h"

namespace ordalis {

inline std::wstring Wide(std::string_view utf8) { return WideFromUtf8(utf8); }

inline std::string Utf8(std::wstring_view wide) { return Utf8FromWide(wide); }

// The text of a window or control.
inline std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace ordalis
