// How the bytes of a text are read as characters. An Encoding is a small
// value naming one of a closed set: UTF-8, UTF-16 of either byte order, or a
// Windows code page with its table. This header and encoding.cpp are the only
// files that ask which of them an encoding is: they read a character (Decode,
// or its size alone) and write one (Encode), and describe each form by one
// row of data (FormRow) for the few questions walking and ordering ask;
// walking lines, cutting and ordering keys, showing and transcoding text are
// free functions over these, elsewhere.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "code_pages.h"
#include "utf16.h"
#include "utf8.h"

namespace ordalis {

enum class EncodingForm : std::uint8_t {
  kSingleByte,  // A code page of one byte a character.
  kDoubleByte,  // A code page of single bytes and of lead and trail byte pairs.
  kUtf8,
  kUtf16Le,
  kUtf16Be,
};

struct Encoding {
  EncodingForm form = EncodingForm::kSingleByte;
  // As messages and --encoding show it: "UTF-8", "Windows-1252", "cp932", "UTF-16LE".
  std::string_view name;
  const SingleBytePage* single = nullptr;  // The table of a single-byte page.
  const DoubleBytePage* pairs = nullptr;   // The table of a double-byte page.

  friend bool operator==(const Encoding& a, const Encoding& b) {
    return a.form == b.form && a.single == b.single && a.pairs == b.pairs;
  }
};

Encoding Utf8Encoding();
Encoding Utf16LeEncoding();
Encoding Utf16BeEncoding();
// UTF-16 in this machine's byte order, as a std::u16string holds it.
Encoding NativeUtf16Encoding();
Encoding Windows1252Encoding();

// The Windows code page `number`, or nothing when there is no table for it.
std::optional<Encoding> CodePageEncoding(int number);

// The encoding called `name` as --encoding takes it ("utf-8", "cp1251",
// "windows-1252", "utf-16le", ...), or nothing.
std::optional<Encoding> EncodingNamed(std::string_view name);

// The encoding of 8-bit text on this system: on Windows the ANSI code page
// (UTF-8 where that is the system's code page, Windows-1252 for a page
// without a table); elsewhere the page Windows has in the user's language,
// as CodePageOfLocale gives it for LC_ALL, else LC_CTYPE, else LANG.
Encoding SystemCodePageEncoding();

// The number of the system's 8-bit code page, defined once for each system:
// on Windows GetACP(); elsewhere CodePageOfLocale of LC_ALL, else LC_CTYPE,
// else LANG.
int SystemCodePageNumber();

// The number Windows gives UTF-8 as a code page.
inline constexpr int kUtf8CodePage = 65001;

// The ANSI code page of Windows in the language of the POSIX locale `locale`
// ("ja_JP.UTF-8" gives 932, "ru_RU" 1251, "zh_TW" 950), as Wine takes it;
// 1252 for any other language, "C" and "POSIX".
int CodePageOfLocale(std::string_view locale);

// How the order of keys is had in a form (see OrderByteMap).
enum class KeyOrder : std::uint8_t {
  kBytes,      // Plain bytes order as the codes do (UTF-8).
  kPageOrder,  // Each byte through its place among the page's codes.
  kCodes,      // Only decoded codes order (AppendOrderBytes).
};

// How the spaces at a key's ends are found in a form (see TrimSpaces).
enum class SpaceTrim : std::uint8_t {
  kBytes,       // Every space byte is a space.
  kUnits,       // Spaces are whole units of more than a byte.
  kCharacters,  // A space byte may end a pair: only whole characters count.
};

// What a form is, as data.
struct FormRow {
  EncodingForm form;
  std::uint8_t unit_size;  // Bytes of one code unit; lines end at the unit CR.
  bool one_byte_a_character;
  // Whether the unit of an ASCII character (a space, a line feed) always is
  // that character, never part of another.
  bool ascii_units_stand_alone;
  std::uint8_t code_bytes;  // Bytes, high first, that hold any code in order.
  KeyOrder key_order;
  SpaceTrim space_trim;
  std::string_view byte_order_mark;  // What may open a text; empty for none.
  std::string_view line_end;         // CR LF in the form's units.
  std::string_view space;            // U+0020 in the form's units.
};

inline constexpr FormRow kFormRows[] = {
    {EncodingForm::kSingleByte,
     1,
     true,
     true,
     2,
     KeyOrder::kPageOrder,
     SpaceTrim::kBytes,
     {},
     {"\r\n", 2},
     {" ", 1}},
    {EncodingForm::kDoubleByte,
     1,
     false,
     false,
     2,
     KeyOrder::kCodes,
     SpaceTrim::kCharacters,
     {},
     {"\r\n", 2},
     {" ", 1}},
    {EncodingForm::kUtf8,
     1,
     false,
     true,
     3,
     KeyOrder::kBytes,
     SpaceTrim::kBytes,
     {"\xEF\xBB\xBF", 3},
     {"\r\n", 2},
     {" ", 1}},
    {EncodingForm::kUtf16Le,
     2,
     false,
     true,
     3,
     KeyOrder::kCodes,
     SpaceTrim::kUnits,
     {"\xFF\xFE", 2},
     {"\r\0\n\0", 4},
     {" \0", 2}},
    {EncodingForm::kUtf16Be,
     2,
     false,
     true,
     3,
     KeyOrder::kCodes,
     SpaceTrim::kUnits,
     {"\xFE\xFF", 2},
     {"\0\r\0\n", 4},
     {"\0 ", 2}},
};

// The row of `encoding`'s form.
inline const FormRow& RowOf(const Encoding& encoding) {
  return kFormRows[static_cast<std::size_t>(encoding.form)];
}
// The rows are looked up by their form.
static_assert([] {
  for (std::size_t i = 0; i < std::size(kFormRows); ++i) {
    if (static_cast<std::size_t>(kFormRows[i].form) != i) return false;
  }
  return true;
}());

// The bytes of one code unit: 2 for UTF-16, 1 for the rest. Lines end at the
// code unit CR, and a line's bytes are whole units.
inline std::size_t UnitSize(const Encoding& encoding) { return RowOf(encoding).unit_size; }
// The mark that may open a text in `encoding`, or nothing. It is no part of
// the first line, and is written back once before the lines.
inline std::string_view ByteOrderMark(const Encoding& encoding) {
  return RowOf(encoding).byte_order_mark;
}
// What every written line ends with: CR LF in the encoding's units.
inline std::string_view LineEnd(const Encoding& encoding) { return RowOf(encoding).line_end; }
// The space character (U+0020) in the encoding's units.
inline std::string_view Space(const Encoding& encoding) { return RowOf(encoding).space; }

// One character read from the front of a text.
struct Decoded {
  static constexpr char32_t kNoCharacter = 0xFFFFFFFF;
  // Its code point: for a code page the 16-bit code its table gives, for
  // UTF-16 a lone surrogate's own value; kNoCharacter for the bytes of no
  // character: a byte in no valid UTF-8 sequence, the odd byte at the end of
  // UTF-16. A code page reads every byte as some character.
  char32_t code;
  std::size_t size;  // Its bytes: at least 1.
};

// Calls `walk` with a function that gives the bytes of the character that
// starts a text (as Decode counts them; REQUIRES: the text is not empty),
// chosen once for the encoding, so that a walk over many characters makes
// one plain call each. Returns what `walk` returns.
template <typename Walk>
auto WithCharacterSize(const Encoding& encoding, Walk walk) {
  switch (encoding.form) {
    case EncodingForm::kDoubleByte:
      return walk(
          [&page = *encoding.pairs](std::string_view text) { return DoubleByteSize(page, text); });
    case EncodingForm::kUtf8:
      return walk([](std::string_view text) { return Utf8CharacterSize(text); });
    case EncodingForm::kUtf16Le:
      return walk([](std::string_view text) { return Utf16CharacterSize(text, false); });
    case EncodingForm::kUtf16Be:
      return walk([](std::string_view text) { return Utf16CharacterSize(text, true); });
    case EncodingForm::kSingleByte:
      break;
  }
  return walk([](std::string_view) { return std::size_t{1}; });
}

// The same with a function that reads the character that starts a text, as
// Decode does.
template <typename Walk>
auto WithDecoder(const Encoding& encoding, Walk walk) {
  switch (encoding.form) {
    case EncodingForm::kDoubleByte:
      return walk([&page = *encoding.pairs](std::string_view text) {
        std::size_t size = 1;
        const char16_t code = ReadDoubleByte(page, text, &size);
        return Decoded{code, size};
      });
    case EncodingForm::kUtf8:
      return walk([](std::string_view text) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 0) return Decoded{Decoded::kNoCharacter, 1};
        return Decoded{DecodeUtf8(std::string_view(text.data(), length)), length};
      });
    case EncodingForm::kUtf16Le:
    case EncodingForm::kUtf16Be:
      return walk([big_endian = encoding.form == EncodingForm::kUtf16Be](std::string_view text) {
        std::size_t size = 0;
        const char32_t code = ReadUtf16(text, big_endian, &size);
        if (size < 2) return Decoded{Decoded::kNoCharacter, size};  // Half a unit, at an odd end.
        return Decoded{code, size};
      });
    case EncodingForm::kSingleByte:
      break;
  }
  return walk([&page = *encoding.single](std::string_view text) {
    return Decoded{page.codes[static_cast<unsigned char>(text[0])], 1};
  });
}

// The character that starts `text`. REQUIRES: `text` is not empty.
inline Decoded Decode(const Encoding& encoding, std::string_view text) {
  return WithDecoder(encoding, [text](auto decode) { return decode(text); });
}

// Appends the bytes of `code` in `encoding`; false, appending nothing, when
// the encoding cannot hold it.
bool Encode(const Encoding& encoding, char32_t code, std::string* out);

// Whether every character is one byte, so that columns are bytes.
inline bool IsOneByteACharacter(const Encoding& encoding) {
  return RowOf(encoding).one_byte_a_character;
}

// Whether the unit of an ASCII character always is that character. Not so in
// a double-byte page, where such a byte may end a pair.
inline bool AsciiUnitsStandAlone(const Encoding& encoding) {
  return RowOf(encoding).ascii_units_stand_alone;
}

// --- The order of keys: by their characters' codes ---

using ByteMap = std::array<std::uint8_t, 256>;

// The map that leaves each byte as it is.
const ByteMap& IdentityByteMap();

// When keys in `encoding` order as their bytes do, each byte taken through a
// map, that map: UTF-8's bytes order as its code points, and a single-byte
// page's through each byte's place among its codes. nullptr otherwise.
const ByteMap* OrderByteMap(const Encoding& encoding);

// How many bytes, high byte first, hold any code of `encoding`, so that they
// order as the codes do: 2 in a code page, 3 for Unicode.
inline std::size_t CodeBytes(const Encoding& encoding) { return RowOf(encoding).code_bytes; }

}  // namespace ordalis
