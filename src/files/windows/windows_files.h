// What only Windows has to say of files: the names it is given, and its
// error codes in the program's terms. For the Windows files and their tests.
#pragma once

#include <string>
#include <string_view>

#include "base/system_error.h"
#include "files/hold_wait.h"

namespace ordalis {

// The name Windows is given for `name`: its full path as GetFullPathNameW
// makes it ("." and ".." resolved, "/" as "\\", from the current folder
// when relative) in the \\?\ form that no length limit applies to
// (\\?\UNC\server\share\... for a share). A name already in that form or
// in the \\.\ form, a device (which GetFullPathNameW names \\.\NAME) and a
// name Windows refuses are given back as Windows gives them.
std::wstring LongPathOf(std::wstring_view name);

// True when `windows_name`, as LongPathOf gives it, names a device.
bool IsDevicePath(std::wstring_view windows_name);

// The Windows error `code` as the program reports it: the errno value that
// says it exactly (a missing file, access denied, a full disk, ...; a
// sharing or lock violation is `held`), or EIO with the code kept for
// Windows' own words.
SystemError SystemErrorOf(unsigned long code);

// Windows' own sentence for the error `code`, in the user's language,
// without its closing period and line end; "Windows error N" where Windows
// has none.
std::string WindowsMessageOf(unsigned long code);

// How a step failed with the error `code`, where `nt_status` is the status
// the system call ended with (RtlGetLastNtStatus), which alone tells a file
// on its way out from one that permissions deny.
StepFailure StepFailureOf(unsigned long code, long nt_status);

}  // namespace ordalis
