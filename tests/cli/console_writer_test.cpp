// The pieces a console gets: never more than it can take at once, never a
// surrogate pair split between two, and nothing lost to a short write.
#include "cli/console_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ordalis {
namespace {

struct Console {
  std::size_t short_by = 0;  // Each write takes this many units fewer than offered.
  bool fails = false;
  std::vector<std::size_t> offered;
  std::u16string shown;

  ConsoleWrite Writer() {
    return [this](std::u16string_view piece) -> std::optional<std::size_t> {
      offered.push_back(piece.size());
      if (fails) return std::nullopt;
      const std::size_t taken = piece.size() > short_by ? piece.size() - short_by : piece.size();
      shown.append(piece.substr(0, taken));
      return taken;
    };
  }
};

TEST(ConsoleWriterTest, WritesEverythingInPiecesThatKeepPairsWhole) {
  const std::u16string pair = u"\U0001F600";
  // A pair straddling the boundary: its first half is the piece's last unit.
  const std::u16string straddling = std::u16string(kConsolePieceUnits - 1, u'a') + pair + u"bc";
  const std::u16string big = std::u16string(2 * kConsolePieceUnits + 5, u'x');
  struct Case {
    const char* name;
    std::u16string text;
    std::size_t short_by;
    std::vector<std::size_t> offered;
  };
  const Case cases[] = {
      {"short text", u"Zo\u00EB\r\n", 0, {5}},
      {"exactly one piece", std::u16string(kConsolePieceUnits, u'y'), 0, {kConsolePieceUnits}},
      {"three pieces", big, 0, {kConsolePieceUnits, kConsolePieceUnits, 5}},
      {"pair at the boundary", straddling, 0, {kConsolePieceUnits - 1, 4}},
      {"short writes", u"abcdefg", 3, {7, 3}},
  };
  for (const Case& c : cases) {
    Console console;
    console.short_by = c.short_by;
    EXPECT_TRUE(WriteInPieces(c.text, console.Writer())) << c.name;
    EXPECT_EQ(console.shown, c.text) << c.name;
    EXPECT_EQ(console.offered, c.offered) << c.name;
  }
}

TEST(ConsoleWriterTest, AFailedOrEmptyWriteFails) {
  Console failing;
  failing.fails = true;
  EXPECT_FALSE(WriteInPieces(u"abc", failing.Writer()));
  EXPECT_EQ(failing.offered.size(), 1U);  // Not tried again for ever.

  const ConsoleWrite takes_nothing = [](std::u16string_view) { return std::size_t{0}; };
  EXPECT_FALSE(WriteInPieces(u"abc", takes_nothing));
  EXPECT_TRUE(WriteInPieces(u"", takes_nothing));
}

}  // namespace
}  // namespace ordalis
