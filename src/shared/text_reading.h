// How the bytes of a source are read as characters. A reading says how a
// line splits into characters, what each character's code is, how keys
// order, and how the lines are written back; the rest of the program asks
// the reading and never which encoding it is. Which reading a source gets is
// decided from its own bytes, or named by the user.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ordalis {

class TextReading {
 public:
  virtual ~TextReading() = default;

  // The reading's name as messages and --encoding show it: "UTF-8",
  // "Windows-1252", "cp932", "UTF-16LE".
  virtual std::string_view Name() const = 0;
  // The bytes one code unit takes: 2 for UTF-16, 1 for the rest. Lines end
  // at the code unit CR, and a line's bytes are whole units.
  virtual std::size_t UnitSize() const { return 1; }
  // The bytes of the character that starts `text`. REQUIRES: `text` is not empty.
  virtual std::size_t CharacterSize(std::string_view text) const = 0;
  // The index `count` characters on from `from` in `line`, or its end.
  virtual std::size_t Advance(std::string_view line, std::size_t from, std::size_t count) const = 0;
  // How many characters `line` holds.
  virtual std::size_t CountCharacters(std::string_view line) const = 0;
  // The code point of `character`, one character's bytes: the 16-bit code
  // a code page gives it; nothing for bytes that form no character.
  virtual std::optional<char32_t> CodePoint(std::string_view character) const = 0;
  // Appends the bytes of `code` in this reading; false, appending nothing,
  // when the reading cannot hold it.
  virtual bool Encode(char32_t code, std::string* out) const = 0;
  // Appends bytes for `key` whose plain byte order is the order of the keys'
  // character codes, so that keys can be ranked by their bytes alone.
  virtual void AppendOrderBytes(std::string_view key, std::string* out) const = 0;
  // When AppendOrderBytes maps each byte to one byte, that map, so that keys
  // can be ranked through it without a copy; nullptr otherwise.
  virtual const std::array<std::uint8_t, 256>* OrderByteMap() const { return nullptr; }
  // The mark that may open a source in this reading, or nothing. It is no
  // part of the first line, and is written back once before the lines.
  virtual std::string_view ByteOrderMark() const { return {}; }

  // What every written line ends with: CR LF in this reading's units.
  std::string_view LineEnd() const { return line_end_; }
  // `text` without the spaces (U+0020) at either end.
  std::string_view TrimSpaces(std::string_view text) const;
  // Whether `text`, lines end to end, holds a line feed, which then stayed
  // inside its line.
  bool HoldsLineFeed(std::string_view text) const;

 protected:
  // CR LF and the space in the reading's units.
  std::string_view line_end_ = "\r\n";
  std::string_view space_ = " ";
};

// The walk over a line's characters for a reading `Reading` whose
// `SizeAt(text)` gives the bytes of the character that starts `text`: one
// call a character, not a virtual one.
template <typename Reading>
class WalkedReading : public TextReading {
 public:
  std::size_t CharacterSize(std::string_view text) const override { return Size(text); }
  std::size_t Advance(std::string_view line, std::size_t from, std::size_t count) const override {
    std::size_t at = from;
    for (; count > 0 && at < line.size(); --count) at += Size(line.substr(at));
    return at;
  }
  std::size_t CountCharacters(std::string_view line) const override {
    std::size_t count = 0;
    for (std::size_t at = 0; at < line.size(); ++count) at += Size(line.substr(at));
    return count;
  }

 private:
  std::size_t Size(std::string_view text) const {
    return static_cast<const Reading&>(*this).SizeAt(text);
  }
};

// The byte map that leaves each byte as it is.
const std::array<std::uint8_t, 256>& SameByteMap();

// The readings by themselves. Each byte one character, by the code page of
// text files; each code point one character, a byte in no valid sequence
// one too; the same in UTF-16 of either byte order.
const TextReading& Windows1252Reading();
const TextReading& Utf8Reading();
const TextReading& Utf16LeReading();
const TextReading& Utf16BeReading();

// The reading called `name` as --encoding takes it ("utf-8", "cp1251",
// "windows-1252", "utf-16le", ...), or nullptr.
const TextReading* ReadingNamed(std::string_view name);

// The reading of 8-bit text on this system: on Windows the ANSI code page
// (UTF-8 where that is the system's code page, Windows-1252 for a page
// without a table); elsewhere, where no 8-bit system code page exists,
// Windows-1252.
const TextReading& SystemCodePageReading();

// What the user asked for: decide by the bytes (no reading), or read one
// way regardless.
struct EncodingChoice {
  const TextReading* reading = nullptr;
};

// The reading a source gets from its first bytes alone: UTF-16 when asked
// for, or, when deciding, after a UTF-16 byte order mark; nothing otherwise.
const TextReading* UnitReading(std::string_view start, EncodingChoice choice);

// How a source of these 8-bit lines is read. When deciding: UTF-8 when the
// first line starts with its byte order mark, or when every line is valid
// UTF-8 and some character in it takes more than one byte; the system's code
// page otherwise, which also covers plain ASCII, where all readings agree.
const TextReading& ChooseReading(std::span<const std::string_view> lines, EncodingChoice choice);

// `text`, read as `reading`, in UTF-8; bytes that form no character become
// U+FFFD.
std::string Utf8Of(std::string_view text, const TextReading& reading);

}  // namespace ordalis
