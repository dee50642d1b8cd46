// The texts the three number boxes hold by design, before any setting or
// option replaces them. The window, the settings file, the engine and
// ordalis-sort all start from these.
#pragma once

#include <string>
#include <string_view>

namespace ordalis {

inline constexpr std::string_view kDefaultLeftCount = "12";    // Text1: N of Left most.
inline constexpr std::string_view kDefaultMiddleCount = "4";   // Text2: N of Middle.
inline constexpr std::string_view kDefaultStartColumn = "20";  // Text3: S of Middle and Right most.

// A default as the 16-bit text of a box; the defaults are ASCII.
inline std::u16string DefaultBoxText(std::string_view text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace ordalis
