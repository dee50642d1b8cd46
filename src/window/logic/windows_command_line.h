// Windows passes a program one command line, which the program splits into
// arguments itself; this quotes an argument so that the split gives it back.
#pragma once

#include <string>
#include <string_view>

namespace ordalis {

// Returns `argument` in double quotes, escaped so that CommandLineToArgvW and
// the C runtime read it back as exactly one argument equal to `argument`:
// backslashes before a quote, and before the closing quote, are doubled, and
// each quote gets a backslash.
std::wstring QuoteArgument(std::wstring_view argument);

}  // namespace ordalis
