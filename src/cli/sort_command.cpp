#include "sort_command.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <new>
#include <string>

#include "cli/cli_options.h"
#include "cli/terminal_width.h"
#include "shared/code_page.h"
#include "shared/text_encoding.h"
#include "sort/line_table.h"
#include "sort/sort_key.h"
#include "sort/sort_run.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace ordalis {
namespace {

constexpr char kStandardInput[] = "standard input";
constexpr char kCannotWriteOut[] = "cannot write to standard output";

bool IsStandardStream(const std::string& operand) { return operand == kStandardStream; }

// Lines pass through byte for byte: Windows must not turn LF into CR LF, nor
// stop reading at a Ctrl+Z.
void UseBinaryMode([[maybe_unused]] std::FILE* stream) {
#if defined(_WIN32)
  _setmode(_fileno(stream), _O_BINARY);
#endif
}

// The source as messages name it.
std::string SourceName(const std::string& source) {
  return IsStandardStream(source) ? kStandardInput : "\"" + source + "\"";
}

Status Load(const std::string& source, EncodingChoice encoding, LineTable* table) {
  if (!IsStandardStream(source)) return LoadLines(source, table, encoding);
  UseBinaryMode(stdin);
  return LoadLinesFromStream(stdin, kStandardInput, table, encoding);
}

// Sorts SOURCE into TARGET, either of which may be a standard stream. Output
// goes to `out` only once every line is sorted.
Status SortToTarget(const CliOptions& options, const KeyTexts& texts, std::ostream& out,
                    bool* lone_line_feed) {
  if (!IsStandardStream(options.source) && !IsStandardStream(options.target)) {
    return SortFile(options.source, options.target, options.mode, texts, options.encoding,
                    lone_line_feed);
  }
  LineTable table;
  if (Status s = Load(options.source, options.encoding, &table); !s.ok()) return s;
  *lone_line_feed = table.lone_line_feed;
  if (Status s = ShellSortLines(&table, options.mode, texts); !s.ok()) return s;
  if (!IsStandardStream(options.target)) return WriteLines(options.target, table);

  UseBinaryMode(stdout);
  if (table.byte_order_mark) out << kUtf8ByteOrderMark;
  for (std::string_view line : table.SortLines) {
    out.write(line.data(), static_cast<std::streamsize>(line.size())).write("\r\n", 2);
  }
  if (!out.flush()) return Status::Error(kCannotWriteOut);
  return Status::Ok();
}

// One character of a line as a --show-keys listing shows it, and the cells
// it takes on a terminal.
struct ShownCharacter {
  std::string_view text;
  std::size_t width = 1;
};

// Control characters show as ^X, in either reading; a byte in no valid UTF-8
// sequence as U+FFFD, the mark a UTF-8 terminal would show for it.
ShownCharacter Shown(std::string_view character, TextEncoding encoding) {
  static constexpr std::array<char, 64> kCarets = [] {
    std::array<char, 64> carets{};
    for (std::size_t b = 0; b < 32; ++b) {
      carets[2 * b] = '^';
      carets[2 * b + 1] = static_cast<char>(b + 0x40);
    }
    return carets;
  }();
  const auto byte = static_cast<unsigned char>(character[0]);
  if (byte == 0x7F) return {"^?", 2};
  if (byte < 0x20 && byte != '\t') return {std::string_view(&kCarets[2 * byte], 2), 2};
  if (encoding == TextEncoding::Windows1252 || byte < 0x80) return {character, 1};
  if (Utf8SequenceLength(character) == 0) return {"\xEF\xBF\xBD", 1};
  return {character, static_cast<std::size_t>(TerminalWidth(DecodeUtf8(character)))};
}

// One line of a --show-keys listing and the line of marks under it: the
// line's number in the source, the line with control characters as ^X, then
// the key underlined, or "^ " and `note` when there is no key to underline.
std::string ListingEntry(std::string_view line, TextEncoding encoding, std::size_t number,
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
    size = encoding == TextEncoding::Utf8 ? Utf8CharacterSize(line.substr(i)) : 1;
    const ShownCharacter shown = Shown(line.substr(i, size), encoding);
    entry += shown.text;
    if (i < key_from) {
      // A tab under a tab keeps the marks in line with the text.
      marks.append(shown.width, line[i] == '\t' ? '\t' : ' ');
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

// The line that opens the listing of a source whose reading matters: one
// with a byte above 127, where UTF-8 and Windows-1252 read different
// characters.
std::string ReadingLine(const LineTable& table) {
  // The text holds every line's bytes, a byte order mark among them.
  if (std::all_of(table.text->begin(), table.text->end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return {};
  }
  if (table.encoding == TextEncoding::Windows1252) return "(read as Windows-1252)\n";
  return table.byte_order_mark ? "(read as UTF-8, after a byte order mark)\n" : "(read as UTF-8)\n";
}

// Shows the lines of SOURCE in sorted order with their keys, or, when a line
// stops the run, the lines up to that one.
int ShowKeys(const CliOptions& options, const KeyTexts& texts, std::ostream& out,
             std::ostream& err) {
  const auto fail = [&err](const std::string& message) {
    err << kProgramName << ": " << message << '\n';
    return kExitFailed;
  };
  LineTable table;
  if (Status s = Load(options.source, options.encoding, &table); !s.ok()) return fail(s.message());
  KeyParameters params;
  const Status parsed = ParseKeyParameters(options.mode, texts, &params);
  const Status sorted = ShellSortLines(&table, options.mode, texts);
  const TextEncoding encoding = table.encoding;

  std::string listing;
  if (sorted.ok() || parsed.ok()) listing = ReadingLine(table);
  if (sorted.ok()) {
    for (std::size_t i = 0; i < table.SortLines.size(); ++i) {
      const std::string_view line = table.SortLines[i];
      const std::size_t from = table.source_index[i];
      std::string_view key;
      std::string note;
      if (!table.SortKeys.empty()) {
        key = table.SortKeys[from];
      } else if (!parsed.ok()) {
        // One line is never compared, so the texts are never read.
        note = "no key is cut from a single line: " + parsed.message();
      } else if (const Status cut = CutKey(line, params, encoding, &key); !cut.ok()) {
        note = "no key is cut from a single line: line 1 " + cut.message();
      }
      listing += ListingEntry(line, encoding, from + 1, key, note);
    }
  } else if (parsed.ok()) {
    // The sort cut every key before moving any line: show them up to the
    // line that stopped it.
    for (std::size_t i = 0; i < table.SortLines.size(); ++i) {
      const std::string_view line = table.SortLines[i];
      std::string_view key;
      const Status cut = CutKey(line, params, encoding, &key);
      listing += ListingEntry(line, encoding, i + 1, key,
                              cut.ok() ? "" : "stops the run: " + sorted.message());
      if (!cut.ok()) break;
    }
  }
  out << listing;
  if (!out.flush()) return fail(kCannotWriteOut);
  if (!sorted.ok()) return fail(sorted.message());
  return kExitWritten;
}

}  // namespace

int RunSortCommand(const std::vector<std::string_view>& args, std::ostream& out,
                   std::ostream& err) {
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
  KeyTexts texts;
  texts.text1 = WidenFromCodePage(options.left_count);
  texts.text2 = WidenFromCodePage(options.middle_count);
  texts.text3 = WidenFromCodePage(options.start_column);

  // Running out of memory fails the run like any other fault.
  try {
    if (options.action == CliAction::ShowKeys) return ShowKeys(options, texts, out, err);

    bool lone_line_feed = false;
    const Status sorted = SortToTarget(options, texts, out, &lone_line_feed);
    if (!sorted.ok()) {
      err << kProgramName << ": " << sorted.message() << '\n';
      return kExitFailed;
    }
    if (lone_line_feed) {
      // The window sorts such a file the same way without a word; here the user
      // can at least learn why a file with LF-only line ends came out unchanged.
      err << kProgramName << ": warning: " << SourceName(options.source)
          << " has line feeds that end no line; lines end only at CR or CR LF, so it was "
             "sorted as fewer, longer lines\n";
    }
    return kExitWritten;
  } catch (const std::bad_alloc&) {
    err << kProgramName << ": not enough memory to sort " << SourceName(options.source) << '\n';
    return kExitFailed;
  }
}

}  // namespace ordalis
