// Keys and the Shell sort over random lines and box texts: the sort fails
// exactly when the step-by-step sort does, and otherwise gives its order.
#include <cstdint>
#include <vector>

#include "fuzz_input.h"
#include "shared/text_file.h"
#include "sort/line_table.h"
#include "support/reference_shell_sort.h"
#include "support/split_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ordalis;
  fuzz::FuzzInput input(data, size);
  const auto mode = static_cast<SortMode>(input.Byte() % 4);
  KeyTexts texts{input.Text(), input.Text(), input.Text()};

  // The reference sort is quadratic: keep the tables small.
  std::string bytes;
  std::vector<std::u16string> expected;
  for (std::string_view line : testing::SplitLines(input.Rest())) {
    if (expected.size() == 64) break;
    bytes.append(line).append("\r\n");
    expected.push_back(WidenFromCodePage(line));
  }
  LineTable table;
  fuzz::Require(MakeLineTable(bytes, &table).ok());

  const Status expected_status = testing::ReferenceShellSort(&expected, mode, texts);
  const Status status = ShellSortLines(&table, mode, texts);
  fuzz::Require(status.ok() == expected_status.ok());
  if (status.ok()) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
      fuzz::Require(WidenFromCodePage(table.SortLines[i]) == expected[i]);
    }
  }

  std::u16string key;
  for (const std::u16string& line : expected) {
    if (MakeSortKey(line, mode, texts, &key).ok()) {
      fuzz::Require(key.empty() || (key.front() != u' ' && key.back() != u' '));
      fuzz::Require(key.size() <= line.size());
    }
  }
  return 0;
}
