// ordalis-sort: the sorting engine of Ordalis on the command line, for scripts
// and batch work. See UsageText() for what it takes.
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/sort_command.h"
#include "files/file_reading.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <optional>

#include "cli/console_writer.h"
#include "text/wide_text.h"
#endif

namespace {

#if defined(_WIN32)
bool IsConsole(HANDLE handle) {
  DWORD console_mode = 0;
  return GetConsoleMode(handle, &console_mode) != 0;
}

// Writes `text`, UTF-8, to the standard stream `handle_id`: as UTF-16 to a
// console, as bytes elsewhere. False when it could not be written.
bool WriteTo(DWORD handle_id, std::FILE* stream, const std::string& text) {
  if (text.empty()) return true;
  const HANDLE handle = GetStdHandle(handle_id);
  if (IsConsole(handle)) {
    return ordalis::WriteInPieces(
        ordalis::Utf16FromUtf8(text),
        [handle](std::u16string_view piece) -> std::optional<std::size_t> {
          DWORD written = 0;
          if (!WriteConsoleW(handle, piece.data(), static_cast<DWORD>(piece.size()), &written,
                             nullptr)) {
            return std::nullopt;
          }
          return written;
        });
  }
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
         std::fflush(stream) == 0;
}
#endif

int Run(const std::vector<std::string>& arguments) {
  // A file-size limit must make the write fail and be undone, not kill us
  // half way with a temporary file left behind.
  ordalis::IgnoreFileSizeLimitSignal();
  const std::vector<std::string_view> args(arguments.begin(), arguments.end());
#if defined(_WIN32)
  // Bytes pass through as they are: no CR slipped in before each LF, and no
  // reading that stops at a Ctrl+Z.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The text is UTF-8 here. A console shows it right only as UTF-16,
  // whatever its code page, and sorted lines as their characters; a file or
  // a pipe gets the bytes as they are.
  std::ostringstream out;
  std::ostringstream err;
  const ordalis::StandardOutput out_kind = IsConsole(GetStdHandle(STD_OUTPUT_HANDLE))
                                               ? ordalis::StandardOutput::Console
                                               : ordalis::StandardOutput::Bytes;
  int status = ordalis::RunSortCommand(args, out, err, out_kind);
  if (!WriteTo(STD_OUTPUT_HANDLE, stdout, out.str()) && status == ordalis::kExitWritten) {
    err << "ordalis-sort: cannot write to standard output\n";
    status = ordalis::kExitFailed;
  }
  WriteTo(STD_ERROR_HANDLE, stderr, err.str());
  return status;
#else
  return ordalis::RunSortCommand(args, std::cout, std::cerr);
#endif
}

}  // namespace

#if defined(_WIN32)
// Windows hands the arguments over as UTF-16; the program holds names as UTF-8.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(ordalis::Utf8FromWide(argv[i]));
  return Run(arguments);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
