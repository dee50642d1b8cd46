// Putting a finished temporary file in the place of another so that, once the
// call returns, the change survives a crash or a power cut.
#pragma once

#include <filesystem>

namespace ordalis {

// Renames `from` over `to`, which must be in the same folder. On Windows the
// move is written through to the disk before it returns, and a file another
// program holds for a moment is waited for. Returns 0 or the errno value of
// the failure (EBUSY for a file another program still holds); `to` is then
// as it was.
int MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to);

// True when another program holds `path` open and lets nobody else share it,
// so that it cannot be replaced, and does not let it go within the wait of
// held_file_wait.h. Only Windows locks files so; elsewhere false.
bool IsHeldByAnotherProgram(const std::filesystem::path& path);

// Makes what a rename changed in `folder` durable. A file system that cannot
// sync a folder, or a folder this process may not open for reading, is no
// failure: there is nothing more it can do. Returns 0 or an errno value.
int SyncFolder(const std::filesystem::path& folder);

}  // namespace ordalis
