// One run from a source to a target, the same for the window and for
// ordalis-sort: load the lines and choose their reading, sort them, write
// them. Only where the lines come from and where they go differ.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "sort/line_table.h"
#include "sort/sort_key.h"
#include "sort/sort_mode.h"
#include "text/detect_encoding.h"

namespace ordalis {

// Why a run into the source itself fails; the window shows it as the text of
// its warning box.
inline constexpr char kSameFileWarning[] = "Use a different output filename";

// How a run sorts: the mode, the three box texts and the source's encoding.
struct SortRequest {
  SortMode mode = SortMode::None;
  KeyTexts texts;
  EncodingChoice encoding = {};
};

// Where a run's lines come from.
struct SortSource {
  std::string name;  // As messages show it: a quoted file name, or "standard input".
  std::function<Status(LineTable*, EncodingChoice)> load;
};

// The file at `path`.
SortSource FileSource(const std::string& path);
// An open stream, which the caller closes; `name` names it in messages.
SortSource StreamSource(std::FILE* stream, const std::string& name);

// Where a run's sorted lines go: the table once sorted, its lines in
// SortLines, written after HeadOf(table), each followed by its reading's
// line end.
using SortTarget = std::function<Status(const LineTable& sorted)>;

// The file at `path`, replaced whole or left exactly as it was.
SortTarget FileTarget(const std::string& path);

// Why a run that ran out of memory failed.
std::string NotEnoughMemoryToSort(const SortSource& source);

// Loads `source`, sorts its lines as `request` says and hands them to
// `target`, which is not called when loading or sorting fails. Running out of
// memory fails the run. `lone_line_feed`, when given, tells whether a line
// feed stayed inside a line.
Status SortSourceToTarget(const SortSource& source, const SortRequest& request,
                          const SortTarget& target, bool* lone_line_feed = nullptr);

// Fails with kSameFileWarning when `source` and `target` name one file, which
// a run must never write.
Status RefuseSameFile(const std::string& source, const std::string& target);

// SortSourceToTarget from the file `source` into the file `target`, after
// RefuseSameFile.
Status SortFile(const std::string& source, const std::string& target, const SortRequest& request,
                bool* lone_line_feed = nullptr);

}  // namespace ordalis
