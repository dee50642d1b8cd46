#include "directory_of.h"

namespace ordalis {

std::optional<std::string> DirectoryOf(std::string_view full_name) {
  for (std::size_t i = full_name.size(); i > kRootPrefixLength; --i) {
    if (full_name[i - 1] == kPathSeparator) return std::string(full_name.substr(0, i - 1));
  }
  return std::nullopt;
}

std::string AppPathOf(std::string executable_directory) {
  if (executable_directory.size() == 2 && executable_directory[1] == ':') {
    executable_directory += '\\';
  }
  return executable_directory;
}

std::string JoinPath(std::string_view directory, std::string_view name) {
  std::string joined(directory);
  joined += kPathSeparator;
  joined += name;
  return joined;
}

}  // namespace ordalis
