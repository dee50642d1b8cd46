#include "cli_options.h"

#include <array>
#include <optional>

namespace ordalis {
namespace {

struct ModeName {
  std::string_view name;
  SortMode mode;
};

constexpr std::array<ModeName, 4> kModeNames{{
    {"left-most", SortMode::LeftMost},
    {"middle", SortMode::Middle},
    {"right-most", SortMode::RightMost},
    {"none", SortMode::None},
}};

std::optional<SortMode> ModeFromName(std::string_view name) {
  for (const ModeName& entry : kModeNames) {
    if (entry.name == name) return entry.mode;
  }
  return std::nullopt;
}

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
      // A lone "-" is an ordinary file name: there is no standard input here.
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

    std::string* slot = ValueSlot(name, &options);
    if (slot == nullptr && name != "--mode") return UsageError("unknown option " + Quoted(name));

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
    const std::optional<SortMode> mode = ModeFromName(value);
    if (!mode) {
      return UsageError("unknown mode " + Quoted(value) +
                        "; use left-most, middle, right-most or none");
    }
    options.mode = *mode;
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
  return R"(Usage: ordalis-sort [OPTION]... SOURCE TARGET
Sort the lines of SOURCE by a key cut from fixed character columns and write
them to TARGET, each followed by CR LF. TARGET is replaced whole, or left
exactly as it was when the run fails. Lines end at CR or CR LF; a line feed
alone does not end a line.

  --mode MODE           the kind of key (default left-most):
                          left-most   the first N characters (--left-count)
                          middle      N characters (--middle-count) from
                                      column S (--start-column)
                          right-most  everything after the first S characters
                                      (--start-column)
                          none        no key: the lines keep their order
  --left-count TEXT     N for left-most (default 12)
  --middle-count TEXT   N for middle (default 4)
  --start-column TEXT   S for middle and right-most (default 20)
  --help                show this help and exit
  --version             show the version and exit
  --                    end of options: what follows is SOURCE and TARGET

Keys lose their leading and trailing spaces and compare by character code, so
"B" sorts before "a" and "10" before "9". A value can also be given as
--name=VALUE. The TEXT values are read the way the window reads its boxes:
for right-most the leading number of the text counts and the rest is ignored.

Exit status: 0 when TARGET was written, 1 when the run failed, 2 for a wrong
command line.
)";
}

}  // namespace ordalis
