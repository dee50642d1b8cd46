#include "characters.h"

#include <algorithm>

#include "code_pages.h"
#include "line_reader.h"
#include "trim_spaces.h"
#include "utf16.h"
#include "utf8.h"

namespace ordalis {
namespace {

// `line` from `at`, which is within it: substr without its check, which the
// walks below would make once a character.
std::string_view Rest(std::string_view line, std::size_t at) {
  return {line.data() + at, line.size() - at};
}

// Calls `walk` with the function that gives the bytes of the character
// starting a text in `encoding`, so that the walk makes one plain call a
// character.
template <typename Walk>
std::size_t WithCharacterSize(const Encoding& encoding, Walk walk) {
  switch (encoding.form) {
    case EncodingForm::kSingleByte:
      return walk([](std::string_view) { return std::size_t{1}; });
    case EncodingForm::kDoubleByte:
      return walk(
          [&page = *encoding.pairs](std::string_view text) { return DoubleByteSize(page, text); });
    case EncodingForm::kUtf8:
      return walk([](std::string_view text) { return Utf8CharacterSize(text); });
    case EncodingForm::kUtf16Le:
      return walk([](std::string_view text) { return Utf16CharacterSize(text, false); });
    case EncodingForm::kUtf16Be:
      return walk([](std::string_view text) { return Utf16CharacterSize(text, true); });
  }
  return 0;
}

}  // namespace

std::size_t Advance(const Encoding& encoding, std::string_view line, std::size_t from,
                    std::size_t count) {
  if (encoding.form == EncodingForm::kSingleByte) {
    return count >= line.size() - from ? line.size() : from + count;
  }
  return WithCharacterSize(encoding, [&](auto size_at) {
    std::size_t at = from;
    for (std::size_t left = count; left > 0 && at < line.size(); --left) {
      at += size_at(Rest(line, at));
    }
    return at;
  });
}

std::size_t CountCharacters(const Encoding& encoding, std::string_view line) {
  if (encoding.form == EncodingForm::kSingleByte) return line.size();
  return WithCharacterSize(encoding, [&](auto size_at) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < line.size(); ++count) at += size_at(Rest(line, at));
    return count;
  });
}

std::string_view TrimSpaces(const Encoding& encoding, std::string_view text) {
  if (encoding.form == EncodingForm::kDoubleByte) {
    // A space byte may be the second of a pair: only a space character goes.
    text = text.substr(std::min(text.size(), text.find_first_not_of(' ')));
    if (text.empty() || text.back() != ' ') return text;
    std::size_t end = 0;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t size = DoubleByteSize(*encoding.pairs, Rest(text, at));
      at += size;
      if (size > 1 || text[at - 1] != ' ') end = at;
    }
    return text.substr(0, end);
  }
  if (UnitSize(encoding) == 1) return TrimSpaces(text);
  const std::string_view space = Space(encoding);
  while (text.size() >= space.size() && text.starts_with(space)) text.remove_prefix(space.size());
  while (text.size() >= space.size() && text.ends_with(space)) text.remove_suffix(space.size());
  return text;
}

bool HoldsLineFeed(const Encoding& encoding, std::string_view text) {
  const std::string_view line_end = LineEnd(encoding);
  return FindUnit(text, line_end.substr(line_end.size() / 2)) != std::string_view::npos;
}

}  // namespace ordalis
