// SystemError: a failure the operating system reported, as a message needs it.
#pragma once

#include <cerrno>

namespace ordalis {

struct SystemError {
  // The errno value that says what failed; 0 for no failure. Where the
  // system's own code has no exact errno counterpart it is EIO, and
  // `system_code` holds the code.
  int errno_value = 0;
  // Windows' error code where no errno value says it exactly, so that the
  // message can give Windows' own words for it; 0 otherwise and elsewhere.
  unsigned long system_code = 0;
  // Another program holds the file, so that it cannot be read or replaced
  // now (Windows' sharing and lock violations).
  bool held = false;

  bool failed() const { return errno_value != 0; }

  // The failure the C library's errno holds just after a call failed; EIO
  // where it holds none.
  static SystemError FromErrno() { return SystemError{errno != 0 ? errno : EIO}; }
};

}  // namespace ordalis
