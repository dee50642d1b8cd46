// How names are written on POSIX systems.
#pragma once

#include <cstddef>

namespace ordalis {

inline constexpr char kPathSeparator = '/';
inline constexpr std::size_t kRootPrefixLength = 1;

// The names the program holds are the file system's own bytes.
inline constexpr bool kNamesAreUtf8 = false;

}  // namespace ordalis
