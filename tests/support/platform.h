// What the system running the tests lets them check.
#pragma once

#include <filesystem>
#include <system_error>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace ordalis::testing {

#if defined(_WIN32)
inline constexpr bool kIsPosix = false;
#else
inline constexpr bool kIsPosix = true;
#endif

// False where permission bits stop nothing: for root, and on Windows, where
// they are not how files are protected.
inline bool PermissionBitsApply() {
#if defined(_WIN32)
  return false;
#else
  return geteuid() != 0;
#endif
}

inline constexpr char kPermissionSkipReason[] =
    "permission bits stop nothing for root or on Windows; as root, the test of this "
    "executable named *.asOrdinaryUser runs this case as nobody";

// Whether symbolic links can be made in `directory` (Windows needs a privilege).
inline bool CanMakeSymbolicLinks(const std::filesystem::path& directory) {
  std::error_code ec;
  const std::filesystem::path probe = directory / ".link-probe";
  std::filesystem::create_symlink("target", probe, ec);
  if (ec) return false;
  std::filesystem::remove(probe, ec);
  return true;
}

}  // namespace ordalis::testing
