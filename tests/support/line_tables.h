// A line table made from bytes in memory, as the program makes one from a
// file, for tests that need no file.
#pragma once

#include <string_view>

#include "sort/line_table.h"
#include "text/line_reader.h"

namespace ordalis::testing {

inline Status MakeLineTable(std::string_view bytes, LineTable* table,
                            EncodingChoice encoding = {}) {
  LineReader reader(bytes);
  return ReadLines(reader, "the lines", bytes.size(), encoding, table);
}

}  // namespace ordalis::testing
