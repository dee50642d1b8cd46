// Sort keys: how the three box texts become numbers, and how a key is cut out
// of a line. How keys compare is their encoding's (text/key_order.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "sort/default_texts.h"
#include "sort/sort_mode.h"
#include "text/encoding.h"

namespace ordalis {

// The texts of the three number boxes, read as they stand.
struct KeyTexts {
  std::u16string text1 = DefaultBoxText(kDefaultLeftCount);    // Character count of LeftMost.
  std::u16string text2 = DefaultBoxText(kDefaultMiddleCount);  // Character count of Middle.
  std::u16string text3 =
      DefaultBoxText(kDefaultStartColumn);  // Start column of Middle and RightMost.
};

// The parameters of one mode, converted once. Only the fields of `mode` are set.
struct KeyParameters {
  SortMode mode = SortMode::None;
  std::int32_t count = 0;        // LeftMost and Middle.
  std::int32_t start = 1;        // Middle: 1-based first column.
  double right_start = 0;        // RightMost: characters dropped from the left.
  std::string right_start_text;  // RightMost: the text it was read from, for messages.
};

// Returns the text as a whole number: a decimal number as a whole, with
// surrounding spaces allowed, a fraction rounded half to even; nothing for
// empty or non-numeric text or a value outside the signed 32-bit range.
std::optional<std::int32_t> WholeNumber(std::u16string_view text);

// Returns the leading decimal number of `text`, skipping spaces, tabs and line
// feeds wherever they stand and ignoring whatever follows; 0 when there is none.
double LenientNumber(std::u16string_view text);

// Converts the texts `mode` uses, or fails with the reason the run stops.
Status ParseKeyParameters(SortMode mode, const KeyTexts& texts, KeyParameters* params);

// How cutting a key ended.
enum class KeyCut {
  kCut,
  kShorterThanStart,  // RightMost: the line has fewer characters than the start.
  kTooLongToCount,    // RightMost: a start so far below 0 that the key cannot be counted.
};

// Makes the key of `line`, held as the source's bytes, for the mode and box
// texts `params` holds (ParseKeyParameters reads them once a run), with
// columns counted in the characters of `encoding`, and trims its
// surrounding spaces (U+0020 only): `*key` views the part of `line` that is
// the key, with no copy, and never splits a character. Fails only for a
// RightMost line, leaving `*key` alone. With no mode the key is empty.
KeyCut MakeSortKey(std::string_view line, const KeyParameters& params, const Encoding& encoding,
                   std::string_view* key);

// The message for line `line_number` (1 for the first), for which
// MakeSortKey ended with `cut`, other than kCut, under `params`.
std::string KeyCutMessage(KeyCut cut, std::size_t line_number, const KeyParameters& params);

}  // namespace ordalis
