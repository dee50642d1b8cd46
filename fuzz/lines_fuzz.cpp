// The line rule: splitting never loses a byte that is not a line end, the
// written form of the lines reads back as the same lines, and reading block
// by block, whatever the block size, gives the lines that splitting gives.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "support/split_lines.h"
#include "text/code_page.h"
#include "text/line_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ordalis;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto lines = testing::SplitLines(bytes);

  std::string written;
  std::size_t kept = 0;
  for (std::string_view line : lines) {
    fuzz::Require(line.find('\r') == std::string_view::npos);
    fuzz::Require(NarrowToCodePage(WidenFromCodePage(line)) == line);
    written.append(line).append("\r\n");
    kept += line.size();
  }
  std::size_t carriage_returns = 0;
  for (char c : bytes) carriage_returns += c == '\r';
  fuzz::Require(lines.size() <= carriage_returns + 1);
  fuzz::Require(kept <= bytes.size());

  const auto again = testing::SplitLines(written);
  fuzz::Require(again.size() == lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) fuzz::Require(again[i] == lines[i]);

  const std::size_t block = size == 0 ? 1 : 1 + data[0] % 7;
  LineReader reader(bytes, block);
  std::string line;
  for (std::string_view expected : lines) {
    fuzz::Require(!reader.AtEnd());
    line.clear();
    fuzz::Require(reader.AppendLine(&line));
    fuzz::Require(line == expected);
  }
  fuzz::Require(reader.AtEnd());
  fuzz::Require(!reader.AppendLine(&line));
  return 0;
}
