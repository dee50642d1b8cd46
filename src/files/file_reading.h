// Opening a file to read it, and the words messages use for files: how they
// name a file, a file in use and a failed read; and the file-size signal.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "base/status.h"
#include "base/system_error.h"

namespace ordalis {

// `name` as messages show it: in double quotes.
std::string Quoted(const std::string& name);

// Opens the regular file at `path` for reading, in binary mode. Anything else
// is refused: a folder cannot be read, and a device or a pipe need never end.
// A file another program holds past the wait (Windows only) is reported as
// in use.
// The caller closes `*file`.
Status OpenForReading(const std::string& path, std::FILE** file);

// The message for `name`, which another program holds so that it cannot be
// read or written; `action` is "read" or "write".
std::string InUseMessage(std::string_view action, const std::string& name);

// The message for a read that failed with `error`; `what` names the input
// as the message shows it, e.g. a quoted file name.
std::string ReadErrorMessage(const std::string& what, const SystemError& error);

// Makes a write beyond the process's file-size limit fail with an error
// instead of ending the program, so the failed write can be undone.
void IgnoreFileSizeLimitSignal();

}  // namespace ordalis
