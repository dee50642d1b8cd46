#include "cli_options.h"

#include <cstddef>
#include <optional>

namespace ordalis {
namespace {

// A value of an option by the name the user types for it.
template <typename Value>
struct Named {
  std::string_view name;
  Value value;
};

constexpr Named<SortMode> kModeNames[] = {
    {"left-most", SortMode::LeftMost},
    {"middle", SortMode::Middle},
    {"right-most", SortMode::RightMost},
    {"none", SortMode::None},
};

template <typename Value, std::size_t N>
std::optional<Value> ValueNamed(const Named<Value> (&table)[N], std::string_view name) {
  for (const Named<Value>& entry : table) {
    if (entry.name == name) return entry.value;
  }
  return std::nullopt;
}

constexpr char kEncodingList[] =
    "auto, utf-8, utf-16le, utf-16be, windows-1252, or a code page: cp874, cp1250 to cp1258, "
    "cp932, cp936, cp949 or cp950";

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

CliOptions UsageError(std::string message) {
  CliOptions options;
  options.action = CliAction::UsageError;
  options.error = std::move(message);
  return options;
}

// The option that takes a value and the member it fills, or nothing for a
// name that is not one of them.
std::string* ValueSlot(std::string_view name, CliOptions* options) {
  if (name == "--left-count") return &options->left_count;
  if (name == "--middle-count") return &options->middle_count;
  if (name == "--start-column") return &options->start_column;
  return nullptr;
}

}  // namespace

CliOptions ParseCommandLine(const std::vector<std::string_view>& args) {
  CliOptions options;
  std::vector<std::string_view> operands;
  bool options_ended = false;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      // A lone "-" is an operand: standard input or output.
      operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    if (arg[1] != '-') return UsageError("unknown option " + Quoted(arg));

    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    std::optional<std::string_view> attached;
    if (equals != std::string_view::npos) attached = arg.substr(equals + 1);

    if (name == "--help" || name == "--version") {
      if (attached) return UsageError("option " + Quoted(name) + " takes no value");
      options.action = name == "--help" ? CliAction::Help : CliAction::Version;
      return options;
    }

    if (name == "--show-keys") {
      if (attached) return UsageError("option " + Quoted(name) + " takes no value");
      options.action = CliAction::ShowKeys;
      continue;
    }

    std::string* slot = ValueSlot(name, &options);
    if (slot == nullptr && name != "--mode" && name != "--encoding") {
      return UsageError("unknown option " + Quoted(name));
    }

    std::string_view value;
    if (attached) {
      value = *attached;
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      return UsageError("option " + Quoted(name) + " needs a value");
    }

    if (slot != nullptr) {
      slot->assign(value);
      continue;
    }
    if (name == "--encoding") {
      const std::optional<Encoding> encoding = EncodingNamed(value);
      if (!encoding && value != "auto") {
        return UsageError("unknown encoding " + Quoted(value) + "; use " + kEncodingList);
      }
      options.encoding = encoding;
      continue;
    }
    const std::optional<SortMode> mode = ValueNamed(kModeNames, value);
    if (!mode) {
      return UsageError("unknown mode " + Quoted(value) +
                        "; use left-most, middle, right-most or none");
    }
    options.mode = *mode;
  }

  if (options.action == CliAction::ShowKeys) {
    if (operands.empty()) return UsageError("missing SOURCE");
    if (operands.size() > 1) {
      return UsageError("unexpected operand " + Quoted(operands[1]) +
                        "; --show-keys writes no TARGET");
    }
    options.source.assign(operands[0]);
    return options;
  }
  if (operands.size() < 2) {
    return UsageError(operands.empty() ? "missing SOURCE and TARGET"
                                       : "missing TARGET after " + Quoted(operands[0]));
  }
  if (operands.size() > 2) return UsageError("unexpected operand " + Quoted(operands[2]));
  options.source.assign(operands[0]);
  options.target.assign(operands[1]);
  return options;
}

std::string UsageText() {
  return R"usage(Usage: ordalis-sort [OPTION]... SOURCE TARGET
  or:  ordalis-sort --show-keys [OPTION]... SOURCE
Sort the lines of a text file by a key cut from fixed character columns.

Sorts the lines of SOURCE and writes them to TARGET, each followed by CR LF.
TARGET is replaced whole, or left exactly as it was when the run fails.
Lines end at CR or CR LF; a line feed alone does not end a line. SOURCE may
hold at most 10001 lines; reading stops, and the run fails, as soon as a
line after those begins. A SOURCE of - is standard input, a TARGET of -
standard output; the lines are written there only once all are sorted, so a
failed run writes nothing at all. A file named - is given as ./-.

  --mode MODE           the kind of key: left-most (the default), middle,
                        right-most or none, as below
  --left-count TEXT     N for left-most (default )usage" +
         std::string(kDefaultLeftCount) + R"usage()
  --middle-count TEXT   N for middle (default )usage" +
         std::string(kDefaultMiddleCount) + R"usage()
  --start-column TEXT   S for middle and right-most (default )usage" +
         std::string(kDefaultStartColumn) + R"usage()
  --encoding ENCODING   how SOURCE's bytes are read: auto (the default),
                        utf-8, utf-16le, utf-16be, windows-1252 or a
                        Windows code page, as below
  --show-keys           write no TARGET: show the lines of SOURCE on standard
                        output in sorted order, each with its key underlined
  --help                show this help and exit
  --version             show the version and exit
  --                    end of options: what follows is SOURCE and TARGET

The kinds of key:
  left-most   the first N characters (--left-count)
  middle      N characters (--middle-count) from column S (--start-column)
  right-most  everything after the first S characters (--start-column)
  none        no key: the lines keep their order

Keys lose their leading and trailing spaces and compare by character code, so
"B" sorts before "a" and "10" before "9". A value can also be given as
--name=VALUE. The TEXT values are read the way the window reads its boxes:
for right-most the leading number of the text counts and the rest is ignored.

A character is what a person counts. With auto, SOURCE is read as UTF-16
when it starts with a UTF-16 byte order mark (FF FE little-endian, FE FF
big-endian); as UTF-8 when it starts with a UTF-8 byte order mark, or when
all of it is valid UTF-8 and holds at least one character of more than one
byte; otherwise in the system's code page (plain ASCII reads the same every
way). On Windows that is its ANSI code page (932 on a Japanese system, 1251
on a Russian one); elsewhere it is the page Windows has in the user's
language, taken from LC_ALL, else LC_CTYPE, else LANG: ja 932, zh_CN 936,
zh_TW and zh_HK 950, ko 949, th 874, pl cs sk hu sl hr ro 1250, ru uk be bg
sr 1251, el 1253, tr 1254, he 1255, ar fa 1256, lt lv et 1257, vi 1258, and
1252 for every other language and for C. To read another page, name it with
--encoding, such as --encoding cp932. In UTF-8 and UTF-16 a column is a code
point (a surrogate pair is one, a lone surrogate one of its own), and keys
compare by code point; a byte that is no part of a valid UTF-8 sequence
(with --encoding utf-8) counts as one column. A code page is read as
Windows reads it: a column is one byte, or, in cp932, cp936, cp949 and
cp950, a lead byte and the byte after it (unless that is NUL), which is the
page's default character where the page assigns the pair nothing, as is a
lead byte at the end of a line; keys compare by the characters' 16-bit
codes. --encoding names a reading:
utf-8, utf-16le, utf-16be, windows-1252 (the same as cp1252), cp874, cp1250
to cp1258, cp932, cp936, cp949 or cp950; the same bytes give the same TARGET
on every system. Every byte is written back unchanged, a byte order mark,
which is no part of line 1, once at the start of TARGET, and the line ends
of UTF-16 as UTF-16. A UTF-16 SOURCE of an odd number of bytes is refused.

With --show-keys each line is printed as it stands, after its line number in
SOURCE, and on the next line the key is underlined with _. A line whose key is
empty is followed by "^ empty key" instead. When no key can be cut from a
line (for right-most, a line shorter than S), which stops the run, the lines
are shown in their order up to that line, which is followed by
"^ stops the run:" and the reason. Control characters show as ^X (^J for a
line feed, ^? for DEL), with the underline widened to match. A run stopped
before any key is cut, by a TEXT that is no number or by too many lines,
shows nothing. The listing is UTF-8 whatever the reading. For a SOURCE in
UTF-16 or with bytes above 127 it starts with a line saying how it was read,
such as "(read as UTF-8)" or "(read as cp932)"; the underline follows the
characters as a UTF-8 terminal shows them, two cells for a wide (CJK)
character, and bytes that form no character show as U+FFFD.

Exit status:
  0  TARGET was written (or the keys were shown)
  1  the run failed: TARGET is as it was, and one line on standard error says
     why
  2  the command line was wrong
)usage";
}

}  // namespace ordalis
