// Reading and writing whole text files, and the line rule shared by every file
// the program reads.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "status.h"

namespace ordalis {

// Reads every byte of the regular file at `path` into `*contents`.
Status ReadWholeFile(const std::string& path, std::string* contents);

// Splits `bytes` into lines. A line ends at CR or at a CR LF pair, and the
// terminator is not part of the line. A lone LF stays inside its line. A last
// line without a terminator is still a line; a trailing terminator adds no
// empty line; empty input gives no lines.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// Replaces the file at `path` with `contents`, or leaves it exactly as it was.
// The bytes go to a temporary file beside the target, are flushed to disk and
// are then renamed over it, so a failed write never leaves a half-written
// target nor a temporary file behind. An existing target keeps its permission
// bits; a symbolic link is written through to the file it names. A target
// whose permission bits allow nobody to write it is refused.
Status WriteFileAtomically(const std::string& path, std::string_view contents);

// The same, with the contents given as lines, each followed by `line_end`.
Status WriteLinesAtomically(const std::string& path, std::span<const std::string_view> lines,
                            std::string_view line_end);

// True when `a` and `b` are the same name, or two names of one existing file
// (another letter case, "." or ".." segments, symbolic or hard links).
bool IsSameFile(const std::string& a, const std::string& b);

// Makes a write beyond the process's file-size limit fail with an error
// instead of ending the program, so the failed write can be undone.
void IgnoreFileSizeLimitSignal();

}  // namespace ordalis
