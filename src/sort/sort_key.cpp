#include "sort_key.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "shared/code_page.h"

namespace ordalis {
namespace {

constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Parses a validated decimal number ("-12.5e3", no leading '+'). Overflow
// gives an infinity and underflow gives zero, as the written value means.
double ParseDecimal(const std::string& number, bool negative_exponent) {
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    const bool negative = !number.empty() && number[0] == '-';
    if (negative_exponent) return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::infinity()
                    : std::numeric_limits<double>::infinity();
  }
  return value;
}

// Reads the longest decimal number at the front of `text`:
// [sign] digits [. digits] [e [sign] digits]. Returns the characters read,
// or 0 when no digit was read.
std::size_t ReadDecimal(std::u16string_view text, std::string* number, bool* negative_exponent) {
  std::size_t i = 0;
  number->clear();
  *negative_exponent = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') *number += '-';
    ++i;
  }
  std::size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) *number += static_cast<char>(text[i]);
  if (i < text.size() && text[i] == u'.') {
    *number += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
      *number += static_cast<char>(text[i]);
    }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) {
      if (text[j] == u'-') exponent += '-';
      ++j;
    }
    const std::size_t exponent_start = j;
    for (; j < text.size() && IsDigit(text[j]); ++j) exponent += static_cast<char>(text[j]);
    if (j > exponent_start) {
      *number += exponent;
      *negative_exponent = exponent.size() > 1 && exponent[1] == '-';
      i = j;
    }
  }
  return i;
}

// Only U+0020 counts as a space; tabs stay.
template <typename Char>
std::basic_string_view<Char> TrimSpaces(std::basic_string_view<Char> text) {
  const std::size_t first = text.find_first_not_of(Char{' '});
  if (first == std::basic_string_view<Char>::npos) return {};
  const std::size_t last = text.find_last_not_of(Char{' '});
  return text.substr(first, last - first + 1);
}

std::string Printable(std::u16string_view text) {
  std::string printable;
  for (char16_t c : text) printable += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  return printable;
}

Status ConvertWhole(std::u16string_view text, const char* name, std::int32_t* value) {
  const std::optional<std::int32_t> number = WholeNumber(text);
  if (!number) {
    return Status::Error(std::string("the ") + name + " \"" + Printable(text) +
                         "\" is not a whole number");
  }
  *value = *number;
  return Status::Ok();
}

std::string FormatNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Cuts the key of `line` as a view into it, trimmed of spaces.
template <typename Char>
Status CutKeyView(std::basic_string_view<Char> line, const KeySpec& spec,
                  std::basic_string_view<Char>* key) {
  std::basic_string_view<Char> cut;
  switch (spec.mode) {
    case SortMode::None:
      break;
    case SortMode::LeftMost:
      cut = line.substr(0, static_cast<std::size_t>(spec.count));
      break;
    case SortMode::Middle: {
      const auto first = static_cast<std::size_t>(spec.start - 1);
      if (first < line.size()) cut = line.substr(first, static_cast<std::size_t>(spec.count));
      break;
    }
    case SortMode::RightMost: {
      const double count = std::nearbyint(static_cast<double>(line.size()) - spec.right_start);
      if (!(count >= kInt32Min && count <= kInt32Max)) {
        return Status::Error("gives a key length out of range for the start column " +
                             FormatNumber(spec.right_start));
      }
      if (count < 0) {
        return Status::Error("is shorter than the start column " + FormatNumber(spec.right_start));
      }
      const auto keep = static_cast<std::size_t>(count);
      cut = keep >= line.size() ? line : line.substr(line.size() - keep);
      break;
    }
  }
  *key = TrimSpaces(cut);
  return Status::Ok();
}

}  // namespace

std::optional<std::int32_t> WholeNumber(std::u16string_view text) {
  const std::u16string_view trimmed = TrimSpaces(text);
  std::string number;
  bool negative_exponent = false;
  if (ReadDecimal(trimmed, &number, &negative_exponent) != trimmed.size() || trimmed.empty()) {
    return std::nullopt;
  }
  const double rounded = std::nearbyint(ParseDecimal(number, negative_exponent));
  if (!(rounded >= kInt32Min && rounded <= kInt32Max)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

double LenientNumber(std::u16string_view text) {
  std::u16string compact;
  for (char16_t c : text) {
    if (c != u' ' && c != u'\t' && c != u'\n') compact += c;
  }
  std::string number;
  bool negative_exponent = false;
  if (ReadDecimal(compact, &number, &negative_exponent) == 0) return 0;
  return ParseDecimal(number, negative_exponent);
}

Status ParseKeySpec(SortMode mode, const KeyTexts& texts, KeySpec* spec) {
  *spec = KeySpec{};
  spec->mode = mode;
  switch (mode) {
    case SortMode::None:
      return Status::Ok();
    case SortMode::LeftMost:
      if (Status s = ConvertWhole(texts.text1, "left count", &spec->count); !s.ok()) return s;
      if (spec->count < 0) {
        return Status::Error("the left count " + std::to_string(spec->count) + " is negative");
      }
      return Status::Ok();
    case SortMode::Middle:
      if (Status s = ConvertWhole(texts.text3, "start column", &spec->start); !s.ok()) return s;
      if (Status s = ConvertWhole(texts.text2, "middle count", &spec->count); !s.ok()) return s;
      if (spec->start < 1) {
        return Status::Error("the start column " + std::to_string(spec->start) + " is below 1");
      }
      if (spec->count < 0) {
        return Status::Error("the middle count " + std::to_string(spec->count) + " is negative");
      }
      return Status::Ok();
    case SortMode::RightMost:
      spec->right_start = LenientNumber(texts.text3);
      return Status::Ok();
  }
  return Status::Error("unknown sort mode");
}

Status CutKey(std::u16string_view line, const KeySpec& spec, std::u16string* key) {
  std::u16string_view cut;
  if (Status s = CutKeyView(line, spec, &cut); !s.ok()) return s;
  key->assign(cut);
  return Status::Ok();
}

Status CutKey(std::string_view line, const KeySpec& spec, std::string_view* key) {
  return CutKeyView(line, spec, key);
}

Status MakeSortKey(std::u16string_view line, SortMode mode, const KeyTexts& texts,
                   std::u16string* key) {
  KeySpec spec;
  if (Status s = ParseKeySpec(mode, texts, &spec); !s.ok()) return s;
  return CutKey(line, spec, key);
}

int CompareKeys(std::u16string_view a, std::u16string_view b) { return a.compare(b); }

int CompareKeyBytes(std::string_view a, std::string_view b) {
  const std::array<std::uint8_t, 256>& order = CharacterOrderOfBytes();
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const std::uint8_t x = order[static_cast<unsigned char>(a[i])];
    const std::uint8_t y = order[static_cast<unsigned char>(b[i])];
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace ordalis
