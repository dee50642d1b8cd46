#include "sort_command.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "cli/terminal_width.h"
#include "sort/line_table.h"
#include "sort/sort_file.h"
#include "text/code_page.h"
#include "text/transcode.h"
#include "text/utf16.h"
#include "text/utf8.h"

namespace ordalis {
namespace {

constexpr char kStandardInput[] = "standard input";
constexpr char kCannotWriteOut[] = "cannot write to standard output";

bool IsStandardStream(const std::string& operand) { return operand == kStandardStream; }

// Where SOURCE's lines come from.
SortSource SourceOf(const std::string& source) {
  if (!IsStandardStream(source)) return FileSource(source);
  return StreamSource(stdin, kStandardInput);
}

// Writes the sorted lines to standard output: their own bytes, or, on a
// console, their characters.
Status WriteToStandardOutput(const LineTable& sorted, std::ostream& out, StandardOutput out_kind) {
  if (out_kind == StandardOutput::Console) {
    for (std::string_view line : sorted.SortLines) out << ToUtf8(line, sorted.encoding) << "\r\n";
  } else {
    const std::string_view line_end = LineEnd(sorted.encoding);
    out << HeadOf(sorted);
    for (std::string_view line : sorted.SortLines) out << line << line_end;
  }
  return out.flush() ? Status::Ok() : Status::Error(kCannotWriteOut);
}

// Sorts SOURCE into TARGET, either of which may be a standard stream. Output
// goes to `out` only once every line is sorted.
Status SortToTarget(const CliOptions& options, const SortRequest& request, std::ostream& out,
                    StandardOutput out_kind, bool* lone_line_feed) {
  if (!IsStandardStream(options.source) && !IsStandardStream(options.target)) {
    return SortFile(options.source, options.target, request, lone_line_feed);
  }
  SortTarget target = FileTarget(options.target);
  if (IsStandardStream(options.target)) {
    target = [&out, out_kind](const LineTable& sorted) {
      return WriteToStandardOutput(sorted, out, out_kind);
    };
  }
  return SortSourceToTarget(SourceOf(options.source), request, target, lone_line_feed);
}

// One character of a line as a --show-keys listing shows it, in UTF-8
// whatever the encoding, and the cells it takes on a terminal.
struct ShownCharacter {
  std::string text;
  std::size_t width = 1;
  bool tab = false;
};

// Control characters show as ^X, in every encoding; bytes that form no
// character, a lone UTF-16 surrogate among them, as U+FFFD, the mark a
// UTF-8 terminal would show for them, so that the listing is always UTF-8.
ShownCharacter Shown(char32_t code) {
  if (code == Decoded::kNoCharacter || IsHighSurrogate(code) || IsLowSurrogate(code)) {
    return {"\xEF\xBF\xBD", 1};
  }
  if (code == 0x7F) return {"^?", 2};
  if (code < 0x20 && code != U'\t') return {std::string{'^', static_cast<char>(code + 0x40)}, 2};
  ShownCharacter shown;
  AppendUtf8(code, &shown.text);
  shown.tab = code == U'\t';
  shown.width = code < 0x80 ? 1 : static_cast<std::size_t>(TerminalWidth(code));
  return shown;
}

// One line of a --show-keys listing and the line of marks under it: the
// line's number in the source, the line with control characters as ^X, then
// the key underlined, or "^ " and `note` when there is no key to underline.
std::string ListingEntry(std::string_view line, const Encoding& encoding, std::size_t number,
                         std::string_view key, std::string_view note) {
  constexpr std::size_t kNumberWidth = 5;  // 10001 lines at most.
  std::string entry = std::to_string(number);
  if (entry.size() < kNumberWidth) entry.insert(0, kNumberWidth - entry.size(), ' ');
  entry += "  ";
  std::string marks(entry.size(), ' ');

  std::size_t key_from = line.size();
  std::size_t key_to = line.size();
  if (note.empty() && !key.empty()) {
    key_from = static_cast<std::size_t>(key.data() - line.data());
    key_to = key_from + key.size();
  }
  std::size_t size = 1;
  for (std::size_t i = 0; i < line.size(); i += size) {
    const Decoded character = Decode(encoding, line.substr(i));
    size = character.size;
    const ShownCharacter shown = Shown(character.code);
    entry += shown.text;
    if (i < key_from) {
      // A tab under a tab keeps the marks in line with the text.
      marks.append(shown.width, shown.tab ? '\t' : ' ');
    } else if (i < key_to) {
      marks.append(shown.width, '_');
    }
  }
  if (key_from == key_to) {
    marks.resize(kNumberWidth + 2);
    marks += "^ ";
    marks += note.empty() ? "empty key" : note;
  }
  return entry + '\n' + marks + '\n';
}

// The line that opens the listing of a source whose encoding matters: one
// with a byte above 127, where the encodings read different characters, or
// one of two-byte units.
std::string ReadingLine(const LineTable& table) {
  // The text holds every line's bytes, a byte order mark among them.
  if (UnitSize(table.encoding) == 1 &&
      std::all_of(table.text->begin(), table.text->end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return {};
  }
  return "(read as " + std::string(table.encoding.name) +
         (table.byte_order_mark ? ", after a byte order mark)\n" : ")\n");
}

// Shows the lines of SOURCE in sorted order with their keys, or, when a line
// stops the run, the lines up to that one.
int ShowKeys(const CliOptions& options, const SortRequest& request, std::ostream& out,
             std::ostream& err) {
  const auto fail = [&err](const std::string& message) {
    err << kProgramName << ": " << message << '\n';
    return kExitFailed;
  };
  LineTable table;
  const SortSource source = SourceOf(options.source);
  if (Status s = source.load(&table, request.encoding); !s.ok()) return fail(s.message());
  std::optional<std::size_t> stopped_line;
  const Status sorted = ShellSortLines(&table, request.mode, request.texts, &stopped_line);

  std::string listing;
  if (sorted.ok()) {
    listing = ReadingLine(table);
    // A single line is never compared, so the sort cut no key: cut it here.
    std::vector<std::string_view> keys = table.SortKeys;
    std::string note;
    if (keys.empty()) {
      std::optional<std::size_t> unused;
      const Status cut = CutKeys(table, request.mode, request.texts, &keys, &unused);
      if (!cut.ok()) note = "no key is cut from a single line: " + cut.message();
    }
    for (std::size_t i = 0; i < table.SortLines.size(); ++i) {
      const std::size_t from = table.source_index[i];
      const std::string_view key = from < keys.size() ? keys[from] : std::string_view();
      listing += ListingEntry(table.SortLines[i], table.encoding, from + 1, key, note);
    }
  } else if (stopped_line) {
    // The sort cut every key before moving any line: show them up to the
    // line that stopped it.
    listing = ReadingLine(table);
    for (std::size_t i = 0; i <= *stopped_line; ++i) {
      const bool stops = i == *stopped_line;
      listing += ListingEntry(table.SortLines[i], table.encoding, i + 1,
                              stops ? std::string_view() : table.SortKeys[i],
                              stops ? "stops the run: " + sorted.message() : "");
    }
  }
  out << listing;
  if (!out.flush()) return fail(kCannotWriteOut);
  if (!sorted.ok()) return fail(sorted.message());
  return kExitWritten;
}

}  // namespace

int RunSortCommand(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err,
                   StandardOutput out_kind) {
  const CliOptions options = ParseCommandLine(args);
  switch (options.action) {
    case CliAction::UsageError:
      err << kProgramName << ": " << options.error << '\n'
          << "Try '" << kProgramName << " --help' for more information.\n";
      return kExitUsageError;
    case CliAction::Help:
    case CliAction::Version:
      if (options.action == CliAction::Help) {
        out << UsageText();
      } else {
        out << kProgramName << ' ' << ORDALIS_VERSION << '\n';
      }
      // A help text lost to a full disk or a closed pipe must not pass for success.
      if (!out.flush()) {
        err << kProgramName << ": " << kCannotWriteOut << '\n';
        return kExitFailed;
      }
      return kExitWritten;
    case CliAction::Sort:
    case CliAction::ShowKeys:
      break;
  }

  // The texts reach the engine as the window's boxes would hand them over.
  SortRequest request;
  request.mode = options.mode;
  request.texts.text1 = WidenFromCodePage(options.left_count);
  request.texts.text2 = WidenFromCodePage(options.middle_count);
  request.texts.text3 = WidenFromCodePage(options.start_column);
  request.encoding = options.encoding;

  if (options.action == CliAction::ShowKeys) {
    // The listing is made outside the run path: running out of memory for it
    // fails like any other fault, as it does in a run.
    try {
      return ShowKeys(options, request, out, err);
    } catch (const std::bad_alloc&) {
      err << kProgramName << ": " << NotEnoughMemoryToSort(SourceOf(options.source)) << '\n';
      return kExitFailed;
    }
  }

  bool lone_line_feed = false;
  const Status sorted = SortToTarget(options, request, out, out_kind, &lone_line_feed);
  if (!sorted.ok()) {
    err << kProgramName << ": " << sorted.message() << '\n';
    return kExitFailed;
  }
  if (lone_line_feed) {
    // The window sorts such a file the same way without a word; here the user
    // can at least learn why a file with LF-only line ends came out unchanged.
    err << kProgramName << ": warning: " << SourceOf(options.source).name
        << " has line feeds that end no line; lines end only at CR or CR LF, so it was "
           "sorted as fewer, longer lines\n";
  }
  return kExitWritten;
}

}  // namespace ordalis
