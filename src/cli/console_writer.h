// Text for a Windows console, written in pieces: a single WriteConsoleW call
// whose text exceeds the heap it has fails, and a --show-keys listing of
// 10001 lines is several megabytes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace ordalis {

// The most UTF-16 units one write hands to the console.
inline constexpr std::size_t kConsolePieceUnits = 8192;

// Writes `piece` and says how many of its units were taken, or nothing when
// the write failed.
using ConsoleWrite = std::function<std::optional<std::size_t>(std::u16string_view piece)>;

// Writes `text` through `write` in pieces of at most kConsolePieceUnits units.
// A piece never ends between the two halves of a surrogate pair; what a short
// write leaves is written again. False when a write fails or takes nothing.
bool WriteInPieces(std::u16string_view text, const ConsoleWrite& write);

}  // namespace ordalis
