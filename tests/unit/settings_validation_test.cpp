#include <gtest/gtest.h>

#include "app/settings_validation.h"
#include "record/stone.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

StoredSettings Validated(std::int32_t left, std::int32_t top, std::int32_t viewSize) {
  StoredSettings settings{left, top, viewSize};
  ValidateSettings(settings, kWidth, kHeight);
  return settings;
}

TEST(SettingsValidation, EveryViewSizeIdIsKept) {
  for (int size : {ID_VIEW_LARGE_VERY, ID_VIEW_LARGE, ID_VIEW_MIDDLE, ID_VIEW_SMALL,
                   ID_VIEW_SMALL_VERY}) {
    EXPECT_EQ(size, Validated(10, 10, size).viewSize);
  }
}

TEST(SettingsValidation, AnyOtherViewSizeBecomesMiddle) {
  for (int size : {0, -1, 131, 135, 136, 145, 148, 1000}) {
    EXPECT_EQ(ID_VIEW_MIDDLE, Validated(10, 10, size).viewSize) << size;
  }
}

TEST(SettingsValidation, LeftKeepsAtLeastHundredPixelsOnScreen) {
  EXPECT_EQ(0, Validated(0, 10, ID_VIEW_SMALL).left);
  EXPECT_EQ(923, Validated(923, 10, ID_VIEW_SMALL).left);
  EXPECT_EQ(0, Validated(924, 10, ID_VIEW_SMALL).left);
  EXPECT_EQ(0, Validated(-1, 10, ID_VIEW_SMALL).left);
  EXPECT_EQ(0, Validated(INT32_MIN, 10, ID_VIEW_SMALL).left);
  EXPECT_EQ(0, Validated(INT32_MAX, 10, ID_VIEW_SMALL).left);
}

TEST(SettingsValidation, TopFollowsTheSameRuleAgainstTheHeight) {
  EXPECT_EQ(667, Validated(10, 667, ID_VIEW_SMALL).top);
  EXPECT_EQ(0, Validated(10, 668, ID_VIEW_SMALL).top);
  EXPECT_EQ(0, Validated(10, -1, ID_VIEW_SMALL).top);
}

TEST(SettingsValidation, EachFieldIsJudgedByItself) {
  StoredSettings badLeft = Validated(924, 50, ID_VIEW_LARGE);
  EXPECT_EQ(0, badLeft.left);
  EXPECT_EQ(50, badLeft.top);
  EXPECT_EQ(ID_VIEW_LARGE, badLeft.viewSize);

  StoredSettings badTop = Validated(60, -5, ID_VIEW_SMALL_VERY);
  EXPECT_EQ(60, badTop.left);
  EXPECT_EQ(0, badTop.top);
  EXPECT_EQ(ID_VIEW_SMALL_VERY, badTop.viewSize);

  StoredSettings badSize = Validated(70, 80, 145);
  EXPECT_EQ(70, badSize.left);
  EXPECT_EQ(80, badSize.top);
  EXPECT_EQ(ID_VIEW_MIDDLE, badSize.viewSize);
}

TEST(SettingsValidation, ScreenNarrowerThanTheMarginAllowsNoOffset) {
  StoredSettings settings{0, 0, ID_VIEW_MIDDLE};
  ValidateSettings(settings, 100, 50);
  EXPECT_EQ(0, settings.left);
  EXPECT_EQ(0, settings.top);
  settings = {1, 1, ID_VIEW_MIDDLE};
  ValidateSettings(settings, 101, 101);
  EXPECT_EQ(0, settings.left);
  EXPECT_EQ(0, settings.top);
}

}  // namespace
