#include "window/logic/mode_look.h"

#include <gtest/gtest.h>

namespace ordalis {
namespace {

std::string Describe(const ModeLook& look) {
  std::string text;
  for (std::size_t i = 0; i < 3; ++i) {
    text += "Text" + std::to_string(i + 1) + (look.box_enabled[i] ? " enabled" : " disabled") +
            (look.box_highlighted[i] ? " green; " : " plain; ");
  }
  for (std::size_t i = 0; i < 3; ++i) {
    text += "Option" + std::to_string(i + 1) + (look.caption_highlighted[i] ? " red " : " plain ");
  }
  return text;
}

TEST(ModeLookTest, ClickRuleOfASelectedOption) {
  struct Case {
    SortMode option;
    std::array<bool, 3> boxes;    // Enabled and green: the mode's own boxes.
    std::array<bool, 3> caption;  // Bold and red.
  };
  const Case cases[] = {
      {SortMode::LeftMost, {true, false, false}, {true, false, false}},
      // Middle uses its count and the start column it shares with Right most.
      {SortMode::Middle, {false, true, true}, {false, true, false}},
      {SortMode::RightMost, {false, false, true}, {false, false, true}},
  };
  for (const Case& c : cases) {
    ModeLook expected;
    expected.box_enabled = c.boxes;
    expected.box_highlighted = c.boxes;
    expected.caption_highlighted = c.caption;
    const ModeLook look = OptionClickLook(c.option, /*selected=*/true);
    EXPECT_EQ(look, expected) << "option " << static_cast<int>(c.option) << ": " << Describe(look);
  }
}

TEST(ModeLookTest, ClickRuleOfAnOptionNotSelectedDisablesEverything) {
  for (SortMode option : {SortMode::LeftMost, SortMode::Middle, SortMode::RightMost}) {
    const ModeLook look = OptionClickLook(option, /*selected=*/false);
    EXPECT_EQ(look, ModeLook()) << "option " << static_cast<int>(option) << ": " << Describe(look);
  }
}

TEST(ModeLookTest, BoxesOfEachMode) {
  EXPECT_TRUE(ModeUsesBox(SortMode::LeftMost, 0));
  EXPECT_FALSE(ModeUsesBox(SortMode::LeftMost, 2));
  EXPECT_TRUE(ModeUsesBox(SortMode::Middle, 1));
  EXPECT_TRUE(ModeUsesBox(SortMode::Middle, 2));
  EXPECT_FALSE(ModeUsesBox(SortMode::RightMost, 1));
  EXPECT_TRUE(ModeUsesBox(SortMode::RightMost, 2));
  for (std::size_t box = 0; box < 3; ++box) EXPECT_FALSE(ModeUsesBox(SortMode::None, box)) << box;
}

}  // namespace
}  // namespace ordalis
