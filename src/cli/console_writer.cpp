#include "console_writer.h"

#include "text/utf16.h"

namespace ordalis {

bool WriteInPieces(std::u16string_view text, const ConsoleWrite& write) {
  while (!text.empty()) {
    std::size_t size = text.size() < kConsolePieceUnits ? text.size() : kConsolePieceUnits;
    // The pair's second half starts the next piece with its first.
    if (size < text.size() && size > 1 && IsHighSurrogate(text[size - 1])) --size;
    const std::optional<std::size_t> taken = write(text.substr(0, size));
    if (!taken || *taken == 0 || *taken > size) return false;
    text.remove_prefix(*taken);
  }
  return true;
}

}  // namespace ordalis
