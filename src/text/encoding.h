// How the bytes of a text are read as characters. An Encoding is a small
// value naming one of a closed set: UTF-8, UTF-16 of either byte order, or a
// Windows code page with its table. Reading a character and writing one are
// the two things every encoding does; walking lines, cutting and ordering
// keys, showing and transcoding text are free functions over them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ordalis {

struct SingleBytePage;
struct DoubleBytePage;

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

// The ANSI code page of Windows in the language of the POSIX locale `locale`
// ("ja_JP.UTF-8" gives 932, "ru_RU" 1251, "zh_TW" 950), as Wine takes it;
// 1252 for any other language, "C" and "POSIX".
int CodePageOfLocale(std::string_view locale);

// The bytes of one code unit: 2 for UTF-16, 1 for the rest. Lines end at the
// code unit CR, and a line's bytes are whole units.
inline std::size_t UnitSize(const Encoding& encoding) {
  return encoding.form == EncodingForm::kUtf16Le || encoding.form == EncodingForm::kUtf16Be ? 2 : 1;
}
// The mark that may open a text in `encoding`, or nothing. It is no part of
// the first line, and is written back once before the lines.
std::string_view ByteOrderMark(const Encoding& encoding);
// What every written line ends with: CR LF in the encoding's units.
std::string_view LineEnd(const Encoding& encoding);
// The space character (U+0020) in the encoding's units.
std::string_view Space(const Encoding& encoding);

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

// The character that starts `text`. REQUIRES: `text` is not empty.
Decoded Decode(const Encoding& encoding, std::string_view text);

// Appends the bytes of `code` in `encoding`; false, appending nothing, when
// the encoding cannot hold it.
bool Encode(const Encoding& encoding, char32_t code, std::string* out);

}  // namespace ordalis
