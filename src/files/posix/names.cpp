// Names on POSIX systems: the file system's own bytes, as they are.
#include "files/names.h"

namespace ordalis {

std::filesystem::path PathOf(std::string_view name) { return std::filesystem::path(name); }

std::string NameOf(const std::filesystem::path& path) { return path.native(); }

}  // namespace ordalis
