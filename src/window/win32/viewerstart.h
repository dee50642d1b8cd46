// Starting the text viewers after a sort: the command line handed to each, and
// the start itself.
#pragma once

#include <string>
#include <string_view>

namespace ordalis {

// Returns `argument` in double quotes, escaped so that CommandLineToArgvW and
// the C runtime read it back as exactly one argument equal to `argument`:
// backslashes before a quote, and before the closing quote, are doubled, and
// each quote gets a backslash.
std::wstring QuoteArgument(std::wstring_view argument);

// Starts `program` (a full path, never looked up on the search path) with
// `argument` as its one argument, in a normal window that takes the focus,
// without waiting for it. Returns false when it could not be started.
bool StartViewer(const std::wstring& program, const std::wstring& argument);

}  // namespace ordalis
