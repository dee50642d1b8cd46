#include "sort_key.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "text/characters.h"
#include "text/trim_spaces.h"

namespace ordalis {
namespace {

constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The power of ten of the first nonzero digit of a validated decimal number
// ("-12.5e3" gives 4), or nothing when every digit is zero.
std::optional<long long> LeadingPowerOfTen(const std::string& number) {
  std::size_t i = !number.empty() && number[0] == '-' ? 1 : 0;
  long long integer_digits = 0;
  long long first_nonzero = -1;  // Index among all mantissa digits.
  long long digits = 0;
  bool after_point = false;
  for (; i < number.size() && number[i] != 'e'; ++i) {
    if (number[i] == '.') {
      after_point = true;
      continue;
    }
    if (!after_point) ++integer_digits;
    if (number[i] != '0' && first_nonzero < 0) first_nonzero = digits;
    ++digits;
  }
  if (first_nonzero < 0) return std::nullopt;
  long long exponent = 0;
  if (i < number.size()) {
    std::size_t j = i + 1;
    const bool negative = j < number.size() && number[j] == '-';
    if (negative) ++j;
    for (; j < number.size(); ++j) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (number[j] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return integer_digits - 1 - first_nonzero + exponent;
}

// Parses a validated decimal number ("-12.5e3", no leading '+'). A value too
// large for a double gives an infinity and one too small gives zero, as the
// written value means.
double ParseDecimal(const std::string& number) {
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    const bool negative = !number.empty() && number[0] == '-';
    const std::optional<long long> power = LeadingPowerOfTen(number);
    if (!power || *power < 0) return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::infinity()
                    : std::numeric_limits<double>::infinity();
  }
  return value;
}

// Reads the longest decimal number at the front of `text`:
// [sign] digits [. digits] [e [sign] digits]. Returns the characters read,
// or 0 when no digit was read.
std::size_t ReadDecimal(std::u16string_view text, std::string* number) {
  std::size_t i = 0;
  number->clear();
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
      i = j;
    }
  }
  return i;
}

std::string Printable(std::u16string_view text) {
  std::string printable;
  for (char16_t c : text) printable += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  return printable;
}

Status ConvertWhole(std::u16string_view text, const char* name, std::int32_t* value) {
  const std::optional<std::int32_t> number = WholeNumber(text);
  if (!number) {
    return Status::Error(
        Status::Code::kBadNumber,
        std::string("the ") + name + " \"" + Printable(text) + "\" is not a whole number");
  }
  *value = *number;
  return Status::Ok();
}

std::string FormatNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::optional<std::int32_t> WholeNumber(std::u16string_view text) {
  const std::u16string_view trimmed = TrimSpaces(text);
  std::string number;
  if (ReadDecimal(trimmed, &number) != trimmed.size() || trimmed.empty()) {
    return std::nullopt;
  }
  const double rounded = std::nearbyint(ParseDecimal(number));
  if (!(rounded >= kInt32Min && rounded <= kInt32Max)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

double LenientNumber(std::u16string_view text) {
  std::u16string compact;
  for (char16_t c : text) {
    if (c != u' ' && c != u'\t' && c != u'\n') compact += c;
  }
  std::string number;
  if (ReadDecimal(compact, &number) == 0) return 0;
  return ParseDecimal(number);
}

Status ParseKeyParameters(SortMode mode, const KeyTexts& texts, KeyParameters* params) {
  *params = KeyParameters{};
  params->mode = mode;
  switch (mode) {
    case SortMode::None:
      return Status::Ok();
    case SortMode::LeftMost:
      if (Status s = ConvertWhole(texts.text1, "left count", &params->count); !s.ok()) return s;
      if (params->count < 0) {
        return Status::Error(Status::Code::kBadNumber,
                             "the left count " + std::to_string(params->count) + " is negative");
      }
      return Status::Ok();
    case SortMode::Middle:
      if (Status s = ConvertWhole(texts.text3, "start column", &params->start); !s.ok()) return s;
      if (Status s = ConvertWhole(texts.text2, "middle count", &params->count); !s.ok()) return s;
      if (params->start < 1) {
        return Status::Error(Status::Code::kBadNumber,
                             "the start column " + std::to_string(params->start) + " is below 1");
      }
      if (params->count < 0) {
        return Status::Error(Status::Code::kBadNumber,
                             "the middle count " + std::to_string(params->count) + " is negative");
      }
      return Status::Ok();
    case SortMode::RightMost:
      params->right_start = LenientNumber(texts.text3);
      params->right_start_text = Printable(texts.text3);
      return Status::Ok();
  }
  return Status::Error("unknown sort mode");
}

KeyCut MakeSortKey(std::string_view line, const KeyParameters& params, const Encoding& encoding,
                   std::string_view* key) {
  std::string_view cut;
  switch (params.mode) {
    case SortMode::None:
      break;
    case SortMode::LeftMost:
      cut = line.substr(0, Advance(encoding, line, 0, static_cast<std::size_t>(params.count)));
      break;
    case SortMode::Middle: {
      const std::size_t first =
          Advance(encoding, line, 0, static_cast<std::size_t>(params.start - 1));
      if (first < line.size()) {
        const std::size_t last =
            Advance(encoding, line, first, static_cast<std::size_t>(params.count));
        cut = line.substr(first, last - first);
      }
      break;
    }
    case SortMode::RightMost: {
      const std::size_t length = CountCharacters(encoding, line);
      const double count = std::nearbyint(static_cast<double>(length) - params.right_start);
      if (count < 0) return KeyCut::kShorterThanStart;
      if (count > kInt32Max) return KeyCut::kTooLongToCount;
      const auto keep = static_cast<std::size_t>(count);
      cut = keep >= length ? line : line.substr(Advance(encoding, line, 0, length - keep));
      break;
    }
  }
  *key = TrimSpaces(encoding, cut);
  return KeyCut::kCut;
}

std::string KeyCutMessage(KeyCut cut, std::size_t line_number, const KeyParameters& params) {
  // An infinite start reads better as the text it came from.
  const std::string start = std::isfinite(params.right_start)
                                ? FormatNumber(params.right_start)
                                : "\"" + params.right_start_text + "\"";
  const std::string line = "line " + std::to_string(line_number) + " ";
  switch (cut) {
    case KeyCut::kCut:
      break;
    case KeyCut::kShorterThanStart:
      return line + "is shorter than the start column " + start;
    case KeyCut::kTooLongToCount:
      return line + "gives a key too long to count for the start column " + start;
  }
  return {};
}

}  // namespace ordalis
