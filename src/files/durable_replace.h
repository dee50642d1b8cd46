// Replacing a file whole, so that it is either written completely or left
// exactly as it was, and stays so through a crash or a power cut.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "base/status.h"

namespace ordalis {

// Replaces the file at `path` with `contents`, or leaves it exactly as it was.
// The bytes go to a temporary file beside the target, are flushed to disk and
// are then renamed over it, so a failed write never leaves a half-written
// target nor a temporary file behind; the rename itself is made durable
// before success is reported. An existing target keeps its permission
// bits; a symbolic link is written through to the file it names. A target
// whose permission bits allow nobody to write it is refused.
Status WriteFileAtomically(const std::string& path, std::string_view contents);

// The same, with the contents given as `head` and then the lines, each
// followed by `line_end`.
Status WriteLinesAtomically(const std::string& path, std::span<const std::string_view> lines,
                            std::string_view line_end, std::string_view head = {});

}  // namespace ordalis
