// Bytes made readable in a failure message.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace ordalis::testing {

// CR and LF as \r and \n, other control bytes and bytes above 0x7E as \xHH.
inline std::string Visible(std::string_view bytes) {
  std::string shown;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else if (byte < 0x20 || byte >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      shown += hex;
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace ordalis::testing
