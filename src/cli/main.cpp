// ordalis-sort: the sorting engine of Ordalis on the command line, for scripts
// and batch work. See UsageText() for what it takes.
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/sort_command.h"
#include "shared/text_file.h"

int main(int argc, char** argv) {
  // A file-size limit must make the write fail and be undone, not kill us
  // half way with a temporary file left behind.
  ordalis::IgnoreFileSizeLimitSignal();
  std::vector<std::string_view> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return ordalis::RunSortCommand(args, std::cout, std::cerr);
}
