// File names as the program holds them and as the operating system takes them.
// A name is a std::string: the file system's own bytes on POSIX systems, and
// UTF-8 on Windows, where it becomes UTF-16 only at the system's door, so
// names beyond the ANSI code page work too.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace ordalis {

// Returns the file system path of `name`.
std::filesystem::path PathOf(std::string_view name);

// Returns the name the program holds for `path`; the inverse of PathOf.
std::string NameOf(const std::filesystem::path& path);

// True when `a` and `b` are the same name, or two names of one existing file
// (another letter case, "." or ".." segments, symbolic or hard links).
bool IsSameFile(const std::string& a, const std::string& b);

// std::fopen for a name the program holds.
std::FILE* OpenFile(const std::string& name, const char* mode);

// True when `file_name`, a name without its folder, is one Windows keeps for
// a device whatever the folder: CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to
// LPT9, in any letter case, with or without an extension.
bool IsWindowsDeviceName(std::string_view file_name);

// UTF-16 text from UTF-8, and back. A UTF-16 surrogate without its partner
// (Windows allows them in file names) is carried as its own three bytes, as
// WTF-8 does, so every Windows name survives the round trip; bytes that are
// not UTF-8 become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

}  // namespace ordalis
