#include <gtest/gtest.h>

#include "drawing/toolbar_geometry.h"

namespace {

// Anything that is not a mode, so that a miss shows as this value.
constexpr NextMoveMode kNone = 0;

const ToolbarGeometry k96 = ToolbarGeometryAt(96);

NextMoveMode At(unsigned x, unsigned y) { return k96.ModeAt(x, y, kNone); }

struct Button {
  NextMoveMode mode;
  int top;
  int bandTop;
  int imageX;
};

constexpr Button kButtons[] = {
    {ID_NEXT_BLACK, 2, 0, 0},
    {ID_NEXT_WHITE, 36, 36, 32},
    {ID_NEXT_BLACK_MANY, 70, 72, 64},
    {ID_NEXT_WHITE_MANY, 104, 108, 96},
};

}  // namespace

TEST(ToolbarGeometry, ButtonsBandsAndImagesStandWhereTheToolbarDrawsThem) {
  for (const Button& b : kButtons) {
    EXPECT_EQ(k96.ButtonTop(b.mode), b.top) << b.mode;
    EXPECT_EQ(k96.BandTop(b.mode), b.bandTop) << b.mode;
    EXPECT_EQ(k96.ButtonImageX(b.mode), b.imageX) << b.mode;
  }
  EXPECT_EQ(k96.ButtonTop(135), -1);
  EXPECT_EQ(k96.BandTop(140), -1);
  EXPECT_EQ(k96.ButtonImageX(0), -1);
}

TEST(ToolbarGeometry, HitAreaIsExactlyEachButtonRectangle) {
  for (const Button& b : kButtons) {
    const unsigned top = b.top;
    const unsigned bottom = top + 32;
    // The four inside corners hit.
    EXPECT_EQ(At(2, top), b.mode);
    EXPECT_EQ(At(33, top), b.mode);
    EXPECT_EQ(At(2, bottom - 1), b.mode);
    EXPECT_EQ(At(33, bottom - 1), b.mode);
    // One pixel beyond each side misses.
    EXPECT_EQ(At(1, top + 5), kNone) << b.mode;
    EXPECT_EQ(At(34, top + 5), kNone) << b.mode;
    EXPECT_EQ(At(10, top - 1), kNone) << b.mode;
    EXPECT_EQ(At(10, bottom), kNone) << b.mode;
  }
}

TEST(ToolbarGeometry, MarginsGapsAndTheRestFallBack) {
  EXPECT_EQ(At(1, 10), kNone);
  EXPECT_EQ(At(20, 35), kNone);
  EXPECT_EQ(At(0, 0), kNone);
  for (unsigned y : {136u, 143u, 144u, 300u, 959u}) EXPECT_EQ(At(20, y), kNone) << y;
  EXPECT_EQ(k96.ModeAt(20, 35, ID_NEXT_WHITE_MANY), ID_NEXT_WHITE_MANY);
}

TEST(ToolbarGeometry, PositionsLeftOfOrAboveTheWindowMissEverything) {
  // With the capture held, a pointer left of or above the window arrives as a large
  // unsigned value.
  EXPECT_EQ(At(0xFFFF, 10), kNone);
  EXPECT_EQ(At(20, 0xFFFF), kNone);
  EXPECT_EQ(At(0xFFFFFFFFu, 0xFFFFFFFFu), kNone);
  EXPECT_EQ(At(20, 0xFFFFFFFEu), kNone);
  EXPECT_EQ(At(0x80000002u, 10), kNone);
}
