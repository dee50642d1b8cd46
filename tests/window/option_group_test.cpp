#include "window/logic/option_group.h"

#include <gtest/gtest.h>

#include <vector>

#include "window/logic/form_layout.h"

namespace ordalis {
namespace {

// An option group that behaves like an exclusive one: checking an option
// clears the others.
class FakeOptionGroup : public OptionGroupHost {
 public:
  bool IsOptionChecked(std::size_t option) override { return checked[option]; }
  void SetOptionChecked(std::size_t option, bool value) override {
    if (value) checked = {};
    checked[option] = value;
  }
  void ApplyModeLook(const ModeLook& value) override { look = value; }
  void SetOptionTabStop(std::size_t option) override { tab_stop = option; }

  std::array<bool, 3> checked{};
  ModeLook look = kStartUpLook;
  std::size_t tab_stop = 99;
};

TEST(OptionGroupTest, TabReachesTheCheckedOptionOrTheFirst) {
  struct Case {
    std::array<bool, 3> checked;
    SortMode mode;
    std::size_t tab_stop;
  };
  const Case cases[] = {
      {{false, false, false}, SortMode::None, 0},  // As after "[Option button]" 4.
      {{true, false, false}, SortMode::LeftMost, 0},
      {{false, true, false}, SortMode::Middle, 1},
      {{false, false, true}, SortMode::RightMost, 2},
      {{false, true, true}, SortMode::Middle, 1},  // Never both; the first wins.
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ModeOfCheckedOptions(c.checked), c.mode);
    EXPECT_EQ(OptionWithTabStop(c.checked), c.tab_stop);
  }
}

TEST(OptionGroupTest, SelectingRunsTheClickRuleAndMovesTheTabStop) {
  FakeOptionGroup group;
  ClearOptions(group);
  EXPECT_EQ(group.tab_stop, 0u);
  EXPECT_EQ(group.look, kStartUpLook) << "clearing runs no click rule";
  EXPECT_EQ(SelectedMode(group), SortMode::None);

  SelectOption(group, SortMode::RightMost);
  EXPECT_EQ(group.checked, (std::array<bool, 3>{false, false, true}));
  EXPECT_EQ(group.look, OptionClickLook(SortMode::RightMost, true));
  EXPECT_EQ(group.tab_stop, 2u);
  EXPECT_EQ(SelectedMode(group), SortMode::RightMost);

  // An arrow key checks Option2 and clicks it.
  group.SetOptionChecked(1, true);
  OptionClicked(group, 1);
  EXPECT_EQ(group.look, OptionClickLook(SortMode::Middle, true));
  EXPECT_EQ(group.tab_stop, 1u);
}

TEST(ModeColoursTest, FixedBackgroundsCarryDarkTextAndDisabledBoxesGreyText) {
  const Colour kGreen = Colour::Fixed(kHighlightedBoxColour);
  const Colour kDark = Colour::Fixed(kTextOnFixedColour);
  const Colour kThemeBase = Colour::Theme(ThemeColour::WindowBackground);
  const ModeLook middle = OptionClickLook(SortMode::Middle, true);
  EXPECT_EQ(NumberBoxColours(middle, 0),
            (BoxColours{kThemeBase, Colour::Theme(ThemeColour::GrayText)}));
  EXPECT_EQ(NumberBoxColours(middle, 1), (BoxColours{kGreen, kDark}));
  EXPECT_EQ(NumberBoxColours(kStartUpLook, 2),
            (BoxColours{kThemeBase, Colour::Theme(ThemeColour::WindowText)}));
  EXPECT_EQ(SameFileBoxColours(), (BoxColours{Colour::Fixed(kSameFileBoxColour), kDark}));
  EXPECT_EQ(OptionCaptionLook(middle, 1),
            (CaptionLook{Colour::Fixed(kHighlightedCaptionColour), true}));
  EXPECT_EQ(OptionCaptionLook(middle, 2),
            (CaptionLook{Colour::Theme(ThemeColour::ButtonText), false}));
}

TEST(FormLayoutTest, LabelsGrowUpToTheOptionColumnAndToALine) {
  const FormControl& label2 = FormControlNamed("Label2");  // 1716, 1380, 1236 x 168.
  const int room = 3060 - kLabelGapTwips - 1716;
  struct Case {
    int text_width, text_height;
    int width, height;
  };
  const Case cases[] = {
      {900, 150, 1236, 168},   // Fits as designed.
      {1300, 195, 1300, 195},  // Wider and taller than designed.
      {5000, 195, room, 195},  // Never over the options.
  };
  for (const Case& c : cases) {
    const TwipsRect place = FittedLabelPlace(label2, c.text_width, c.text_height);
    EXPECT_EQ(place.left, 1716);
    EXPECT_EQ(place.width, c.width) << c.text_width;
    EXPECT_EQ(place.height, c.height) << c.text_height;
  }
  EXPECT_EQ(PixelsOfTwips(5400, 96), 360);
  EXPECT_EQ(PixelsOfTwips(5400, 144), 540);
  EXPECT_EQ(TwipsOfPixels(7, 96), 105);
  EXPECT_EQ(TwipsOfPixels(1, 144), 10);
}

}  // namespace
}  // namespace ordalis
