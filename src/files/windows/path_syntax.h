// How names are written on Windows.
#pragma once

#include <cstddef>

namespace ordalis {

inline constexpr char kPathSeparator = '\\';
// "C:\" is never examined, so a file directly in a drive root has no directory.
inline constexpr std::size_t kRootPrefixLength = 3;

// The names the program holds are UTF-8, made UTF-16 at the system's door.
inline constexpr bool kNamesAreUtf8 = true;

}  // namespace ordalis
