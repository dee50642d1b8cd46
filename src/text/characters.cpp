#include "characters.h"

#include <algorithm>

#include "line_reader.h"
#include "trim_spaces.h"

namespace ordalis {
namespace {

// `line` from `at`, which is within it: substr without its check, which the
// walks below would make once a character.
std::string_view Rest(std::string_view line, std::size_t at) {
  return {line.data() + at, line.size() - at};
}

}  // namespace

std::size_t Advance(const Encoding& encoding, std::string_view line, std::size_t from,
                    std::size_t count) {
  if (IsOneByteACharacter(encoding)) {
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
  if (IsOneByteACharacter(encoding)) return line.size();
  return WithCharacterSize(encoding, [&](auto size_at) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < line.size(); ++count) at += size_at(Rest(line, at));
    return count;
  });
}

std::string_view TrimSpaces(const Encoding& encoding, std::string_view text) {
  switch (RowOf(encoding).space_trim) {
    case SpaceTrim::kBytes:
      return TrimSpaces(text);
    case SpaceTrim::kUnits: {
      const std::string_view space = Space(encoding);
      while (text.size() >= space.size() && text.starts_with(space)) {
        text.remove_prefix(space.size());
      }
      while (text.size() >= space.size() && text.ends_with(space)) text.remove_suffix(space.size());
      return text;
    }
    case SpaceTrim::kCharacters:
      break;
  }
  // A space byte at a character's start is a space, but one at the end may
  // be the second of a pair: only a space character goes.
  text = text.substr(std::min(text.size(), text.find_first_not_of(' ')));
  if (text.empty() || text.back() != ' ') return text;
  const std::size_t end = WithCharacterSize(encoding, [&](auto size_at) {
    std::size_t kept = 0;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t size = size_at(Rest(text, at));
      at += size;
      if (size > 1 || text[at - 1] != ' ') kept = at;
    }
    return kept;
  });
  return text.substr(0, end);
}

bool HoldsLineFeed(const Encoding& encoding, std::span<const std::string_view> lines) {
  if (lines.empty()) return false;
  const std::string_view line_end = LineEnd(encoding);
  const std::string_view line_feed = line_end.substr(line_end.size() / 2);
  const std::string_view all(
      lines.front().data(),
      static_cast<std::size_t>(lines.back().data() + lines.back().size() - lines.front().data()));
  if (FindUnit(all, line_feed) == std::string_view::npos) return false;
  if (AsciiUnitsStandAlone(encoding)) return true;
  // A line feed byte may be the second of a pair, which is another character.
  return WithCharacterSize(encoding, [&](auto size_at) {
    for (std::string_view line : lines) {
      if (line.find(line_feed) == std::string_view::npos) continue;
      for (std::size_t at = 0; at < line.size();) {
        const std::size_t size = size_at(Rest(line, at));
        if (size == line_feed.size() && line.substr(at, size) == line_feed) return true;
        at += size;
      }
    }
    return false;
  });
}

}  // namespace ordalis
