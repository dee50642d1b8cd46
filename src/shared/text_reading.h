// How the bytes of a source are read as characters. A reading says how a
// line splits into characters, what each character's code is, and how the
// lines are written back; the rest of the program asks the reading and never
// which encoding it is. Which reading a source gets is decided from its own
// bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace ordalis {

class TextReading {
 public:
  virtual ~TextReading() = default;

  // The reading's name as messages show it: "UTF-8", "Windows-1252".
  virtual std::string_view Name() const = 0;
  // The bytes of the character that starts `text`. REQUIRES: `text` is not empty.
  virtual std::size_t CharacterSize(std::string_view text) const = 0;
  // The index `count` characters on from `from` in `line`, or its end.
  virtual std::size_t Advance(std::string_view line, std::size_t from, std::size_t count) const = 0;
  // How many characters `line` holds.
  virtual std::size_t CountCharacters(std::string_view line) const = 0;
  // The code point of `character`, one character's bytes; nothing for a
  // byte that forms no character of the reading.
  virtual std::optional<char32_t> CodePoint(std::string_view character) const = 0;
  // For each byte, its place in the order of the reading's characters: two
  // keys compare by character code exactly as the places of their bytes do.
  virtual const std::array<std::uint8_t, 256>& ByteOrder() const = 0;
  // The mark that may open a source in this reading, or nothing. It is no
  // part of the first line, and is written back once before the lines.
  virtual std::string_view ByteOrderMark() const = 0;

  // What every written line ends with: CR LF, as this reading writes it.
  virtual std::string_view LineEnd() const { return "\r\n"; }
};

// Each byte one character, by the code page of text files.
const TextReading& Windows1252Reading();
// Each code point one character; a byte in no valid sequence is one too.
const TextReading& Utf8Reading();

// What the user asked for: decide by the bytes, or read one way regardless.
enum class EncodingChoice { Auto, Utf8, Windows1252 };

// How a source of these lines is read. With Auto: UTF-8 when the first line
// starts with its byte order mark, or when every line is valid UTF-8 and
// some character in it takes more than one byte; Windows-1252 otherwise,
// which also covers plain ASCII, where both readings agree.
const TextReading& ChooseReading(std::span<const std::string_view> lines, EncodingChoice choice);

}  // namespace ordalis
