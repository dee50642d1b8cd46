// DirectoryOf: the directory part of a full file name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "path_syntax.h"  // This system's separator and root.

namespace ordalis {

// Returns the part of `full_name` before its last separator, or nothing when
// the last separator lies inside the root prefix or there is none (the caller
// then keeps the directory it had).
std::optional<std::string> DirectoryOf(std::string_view full_name);

// Returns AppPath for the directory `executable_directory` of the running
// program, as the system names it without a trailing separator: the same,
// but a drive's root keeps its backslash ("C:" becomes "C:\"), since "C:"
// alone would mean drive C's current folder.
std::string AppPathOf(std::string executable_directory);

// Returns `directory` + separator + `name`.
std::string JoinPath(std::string_view directory, std::string_view name);

}  // namespace ordalis
