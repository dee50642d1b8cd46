// File names as the program holds them and as the operating system takes them.
// A name is a std::string: the file system's own bytes on POSIX systems, and
// UTF-8 on Windows, where it becomes UTF-16 only at the system's door, so
// names beyond the ANSI code page work too.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "text/wide_text.h"  // The names Windows takes are UTF-16.

namespace ordalis {

// Returns the file system path of `name`.
std::filesystem::path PathOf(std::string_view name);

// Returns the name the program holds for `path`; the inverse of PathOf.
std::string NameOf(const std::filesystem::path& path);

// True when `a` and `b` are the same name, or two names of one existing file
// (another letter case, "." or ".." segments, symbolic or hard links).
bool IsSameFile(const std::string& a, const std::string& b);

// std::fopen for a name the program holds, in binary mode: "rb", "wb", "wbx"
// (a new file only) or "ab". On Windows a file another program holds for a
// moment is waited for (held_file_wait.h); one still held fails with errno
// EBUSY.
std::FILE* OpenFile(const std::string& name, const char* mode);

// What is at `path`: its type (not_found when nothing is there, none when
// the system cannot tell) and, for a file, whether anybody may write it.
// Windows is asked by the \\?\ name, so the length of the path does not
// matter, and a device name gives a character device.
std::filesystem::file_status StatusOf(const std::filesystem::path& path);

// Deletes the file at `path`, waiting on Windows for another program to let
// it go; true when it is gone.
bool RemoveFile(const std::filesystem::path& path);

// True when `file_name`, a name without its folder, is one Windows keeps for
// a device whatever the folder: CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to
// LPT9, in any letter case, with or without an extension.
bool IsWindowsDeviceName(std::string_view file_name);

#if defined(_WIN32)
// The name Windows is given for `name`: its full path as GetFullPathNameW
// makes it ("." and ".." resolved, "/" as "\\", from the current folder
// when relative) in the \\?\ form that no length limit applies to
// (\\?\UNC\server\share\... for a share). A name already in that form or
// in the \\.\ form, a device name (which must stay one, to be refused) and
// a name Windows refuses are given back as they are.
std::wstring LongPathOf(std::wstring_view name);
#endif

}  // namespace ordalis
