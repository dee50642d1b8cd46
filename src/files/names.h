// File names as the program holds them and as the operating system takes them.
// A name is a std::string: the file system's own bytes on POSIX systems, and
// UTF-8 on Windows, where it becomes UTF-16 only at the system's door, so
// names beyond the ANSI code page work too.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ordalis {

// Returns the file system path of `name`. Defined for each system.
std::filesystem::path PathOf(std::string_view name);

// Returns the name the program holds for `path`; the inverse of PathOf.
// Defined for each system.
std::string NameOf(const std::filesystem::path& path);

}  // namespace ordalis
