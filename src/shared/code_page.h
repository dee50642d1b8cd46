// The 8-bit code page of text files: Windows-1252, with its five unassigned
// bytes mapped to the C1 controls of the same value so every byte round-trips.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ordalis {

// Widens each byte to its 16-bit character.
std::u16string WidenFromCodePage(std::string_view bytes);

// Narrows each character back to its byte; a character the code page cannot
// hold becomes '?'. Widened text always narrows back to the same bytes.
std::string NarrowToCodePage(std::u16string_view text);

// For each byte, its place among the 256 characters the code page widens to:
// comparing the places of two bytes compares their 16-bit characters, so byte
// strings order by place exactly as their widened texts order.
const std::array<std::uint8_t, 256>& CharacterOrderOfBytes();

}  // namespace ordalis
