// The system's code page on Windows: the ANSI code page.
#include <windows.h>

#include "text/encoding.h"

namespace ordalis {

int SystemCodePageNumber() { return static_cast<int>(GetACP()); }

}  // namespace ordalis
