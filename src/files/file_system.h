// What the program asks of the operating system for its files, each declared
// once here and defined once for each system: posix/file_system.cpp and
// windows/file_system.cpp, of which CMake builds the one for the target.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/system_error.h"

namespace ordalis {

// std::fopen for a name the program holds, in binary mode: "rb", "wb", "wbx"
// (a new file only) or "ab". Returns nullptr and sets `*error` on failure.
// On Windows a file another program holds for a moment is waited for
// (hold_wait.h); one still held fails with error->held.
std::FILE* OpenFile(const std::string& name, const char* mode, SystemError* error);

// Reads up to `size` bytes of `file`, opened by OpenFile, into `buffer`;
// returns how many, 0 at the end or on failure, which sets `*error`.
std::size_t ReadBytes(std::FILE* file, char* buffer, std::size_t size, SystemError* error);

// Writes all of `bytes` to `file`, opened by OpenFile for writing.
SystemError WriteBytes(std::FILE* file, std::string_view bytes);

// Makes what was written to `file` durable on its disk.
SystemError FlushToDisk(std::FILE* file);

// The size of the open `file` in bytes, or 0 where the system cannot tell.
std::uintmax_t SizeOf(std::FILE* file);

// What is at `path`: its type (not_found when nothing is there, none when
// the system cannot tell) and, for a file, whether anybody may write it.
// Windows is asked by the \\?\ name, so the length of the path does not
// matter, and a device name gives a character device.
std::filesystem::file_status StatusOf(const std::filesystem::path& path);

// Where the symbolic link at `path` leads, as the link holds it; nothing
// when `path` is no symbolic link (whatever else it is, or nothing) or when
// the link cannot be read, which sets `*error`.
std::optional<std::filesystem::path> LinkTarget(const std::filesystem::path& path,
                                                SystemError* error);

// Why a file cannot be written at `path` whatever is there, on this system.
enum class NameProblem {
  kNone,
  kDevice,  // Windows opens a device by this name, in any folder.
  kStream,  // A stream of a file on Windows, not a file.
};
NameProblem ProblemWithName(const std::filesystem::path& path);

// Deletes the file at `path`, waiting on Windows for another program to let
// it go; true when it is gone.
bool RemoveFile(const std::filesystem::path& path);

// True when `a` and `b` are the same name, or two names of one existing file
// (another letter case, "." or ".." segments, symbolic or hard links). Two
// different files are never taken for one.
bool IsSameFile(const std::string& a, const std::string& b);

// True when another program holds `path` open and lets nobody else share it,
// so that it cannot be replaced, and does not let it go within the wait of
// hold_wait.h. Only Windows locks files so; elsewhere false.
bool IsHeldByAnotherProgram(const std::filesystem::path& path);

// Renames `from` over `to`, which must be in the same folder; `to` is as it
// was on failure. On Windows a file another program holds for a moment is
// waited for.
SystemError MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to);

// Makes what a rename changed in `folder` as durable as the system lets a
// program make it. A file system that cannot sync a folder, or a folder this
// process may not open for reading, is no failure: there is nothing more it
// can do.
SystemError SyncFolder(const std::filesystem::path& folder);

// What `error` means, for a message: the C library's words for its errno
// value, or Windows' own sentence, in the user's language, for a Windows
// error that no errno value says exactly.
std::string ReasonOf(const SystemError& error);

}  // namespace ordalis
