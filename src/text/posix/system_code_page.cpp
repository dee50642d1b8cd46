// The system's code page on POSIX systems: the page Windows has in the
// user's language, as Wine takes it.
#include <cstdlib>

#include "text/encoding.h"

namespace ordalis {

int SystemCodePageNumber() {
  const char* locale = nullptr;
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    locale = std::getenv(variable);
    if (locale != nullptr && locale[0] != '\0') break;
  }
  return CodePageOfLocale(locale != nullptr ? locale : "");
}

}  // namespace ordalis
