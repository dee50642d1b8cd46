// Starting the text viewers after a sort.
#pragma once

#include <string>
#include <string_view>

namespace ordalis {

// Starts `program` (a full path, never looked up on the search path) with
// `argument` as its one argument, in a normal window that takes the focus,
// without waiting for it. Returns false when it could not be started.
bool StartViewer(const std::wstring& program, const std::wstring& argument);

}  // namespace ordalis
