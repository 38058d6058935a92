// Sizes at every display scale, and the pictures drawn for the sizes no bitmap ships for.
#include <gtest/gtest.h>

#include <cstdlib>

#include "drawing/label_art.h"
#include "drawing/tile_art.h"
#include "drawing/toolbar_geometry.h"
#include "drawing/view_size_table.h"

namespace {

TEST(DisplayScale, CellToolbarAndSheetAtEachDpiAndViewSize) {
  struct Scale {
    int dpi;
    int toolbar;
    int cells[5];  // the view sizes, largest first
  };
  const Scale scales[] = {{96, 36, {48, 40, 32, 24, 16}},  {120, 45, {60, 50, 40, 30, 20}},
                          {144, 54, {72, 60, 48, 36, 24}}, {168, 63, {84, 70, 56, 42, 28}},
                          {192, 72, {96, 80, 64, 48, 32}}, {288, 108, {144, 120, 96, 72, 48}}};
  for (const Scale& s : scales) {
    EXPECT_EQ(ToolbarGeometryAt(s.dpi).width, s.toolbar) << s.dpi;
    for (int v = 0; v < 5; ++v) {
      const int c = CellSizeAt(kViewSizes[v], s.dpi);
      EXPECT_EQ(c, s.cells[v]) << s.dpi << " DPI, view " << kViewSizes[v];
      // The sheet shipped for this very cell size, or none: then it is drawn.
      int shipped = 0;
      for (ViewSize size : kViewSizes) shipped = CellSizeOf(size) == c ? TileBitmapIdOf(size) : shipped;
      EXPECT_EQ(ShippedTileSheetOf(c), shipped) << c;
    }
  }
}

TEST(DisplayScale, ToolbarButtonsFillItInOrderAndHitExactlyAtEveryScale) {
  constexpr NextMoveMode kNone = 0;
  for (int dpi = 96; dpi <= 480; dpi += 6) {  // 100 % to 500 % in steps of 6.25 %
    SCOPED_TRACE(dpi);
    const ToolbarGeometry g = ToolbarGeometryAt(dpi);
    EXPECT_LE(std::abs((g.width - g.ButtonRight()) - g.buttonLeft), 1) << "centred";
    EXPECT_GE(g.buttonLeft, 1);
    int previousBottom = 0;
    for (NextMoveMode mode = ID_NEXT_BLACK; mode <= ID_NEXT_WHITE_MANY; ++mode) {
      const int top = g.ButtonTop(mode);
      const auto left = static_cast<unsigned>(g.buttonLeft);
      const auto right = static_cast<unsigned>(g.ButtonRight());
      const auto t = static_cast<unsigned>(top);
      const auto bottom = t + static_cast<unsigned>(g.buttonSize);
      EXPECT_GT(top, previousBottom) << "a gap above each button";
      // The next band is filled after this button is drawn: the button must end above it.
      EXPECT_LE(top + g.buttonSize, g.BandTop(mode) + g.width);
      EXPECT_EQ(g.ModeAt(left, t, kNone), mode);
      EXPECT_EQ(g.ModeAt(right - 1, bottom - 1, kNone), mode);
      EXPECT_EQ(g.ModeAt(left - 1, t, kNone), kNone);
      EXPECT_EQ(g.ModeAt(right, t, kNone), kNone);
      EXPECT_NE(g.ModeAt(left, bottom, kNone), mode);
      previousBottom = top + g.buttonSize;
    }
    EXPECT_LE(g.BandsBottom(), 20 * CellSizeAt(ID_VIEW_SMALL_VERY, dpi)) << "beside the smallest board";
  }
}

// A size no sheet ships for is drawn at that size: an enlarged 32-pixel sheet would have
// lines two pixels wide, and a smoothed one lines that fade into the wood.
TEST(DrawnArt, A64PixelSheetHasCrispGridLinesAndWholeStones) {
  constexpr int c = 64;
  const ArtImage sheet = DrawTileSheet(c);
  ASSERT_EQ(GridLineWidth(c), 3);
  const int lo = c / 2 - 1;  // the line's first row in every tile
  for (int x = c; x < 2 * c; ++x) {
    if (x >= c + lo && x < c + lo + 3) continue;  // the crossing line
    EXPECT_EQ(sheet.At(x, c + lo - 1), kWood) << x;
    for (int y = lo; y < lo + 3; ++y) EXPECT_EQ(sheet.At(x, c + y), kGridLine) << x << "," << y;
    EXPECT_EQ(sheet.At(x, c + lo + 3), kWood) << x;
  }
  // Across the black stone on an inner point, just above the line: 0.94 of the cell is dark.
  int dark = 0;
  for (int x = 4 * c; x < 5 * c; ++x) dark += sheet.At(x, c + lo - 1).r < 90;
  EXPECT_NEAR(dark, 0.94 * c, 1.5);
}

TEST(DrawnArt, RunLengthMasksDecodeAndBrokenOnesAreRefused) {
  std::vector<std::uint8_t> bitmap(40 + 4 * 256);
  const std::uint8_t header[] = {40, 0, 0, 0, 4, 0, 0, 0, 3, 0, 0, 0, 1, 0, 8, 0, 1};
  std::copy(std::begin(header), std::end(header), bitmap.begin());
  // Bottom row first: a run; three pixels as they are and a run; a jump right, a run.
  const std::vector<std::uint8_t> codes = {4, 9, 0, 0, 0, 3, 1, 2, 3, 0, 1, 5, 0, 0,
                                           0, 2, 1, 0, 3, 8, 0, 1};
  auto decode = [&](std::vector<std::uint8_t> c, Coverage* mask) {
    std::vector<std::uint8_t> all = bitmap;
    all.insert(all.end(), c.begin(), c.end());
    return DecodeRle8Mask(all.data(), all.size(), mask);
  };
  Coverage mask;
  ASSERT_TRUE(decode(codes, &mask));
  EXPECT_EQ(mask.values, (std::vector<std::uint8_t>{0, 8, 8, 8, 1, 2, 3, 5, 9, 9, 9, 9}));
  std::vector<std::uint8_t> past = codes;
  past[0] = 5;  // a run beyond the row's end
  EXPECT_FALSE(decode(past, &mask));
  EXPECT_FALSE(decode({4, 9, 0, 0, 0, 3, 1}, &mask)) << "cut off";
  EXPECT_FALSE(decode({4, 9, 0, 0}, &mask)) << "no end";
  bitmap[16] = 0;  // no run-length coding
  EXPECT_FALSE(decode(codes, &mask));
}

TEST(DrawnArt, LabelsShrinkFromTheMasterByAreaAndAreNeverEnlarged) {
  // A master of 6-pixel cells, each with ink on its middle 2 x 2 pixels.
  Coverage master;
  master.width = 19 * 6;
  master.height = 6;
  master.values.assign(master.width * master.height, 0);
  for (int cell = 0; cell < 19; ++cell) {
    for (int y = 2; y < 4; ++y) {
      for (int x = 2; x < 4; ++x) master.values[y * master.width + cell * 6 + x] = 255;
    }
  }
  const ArtImage half = DrawColumnLabels(master, 6, 3);
  EXPECT_EQ(half.At(3 * 5 + 1, 1), kLabelInk) << "a 2 x 2 block of ink shrinks to one full pixel";
  EXPECT_EQ(half.At(3 * 5, 1), kWood);
  const ArtImage larger = DrawColumnLabels(master, 6, 10);
  ASSERT_EQ(larger.Width(), 190);
  for (int x = 0; x < 10; ++x) {  // the label keeps 6 pixels, 2 in from its cell's edge
    const bool ink = x == 4 || x == 5;
    EXPECT_EQ(larger.At(50 + x, 4), ink ? kLabelInk : kWood) << x;
    EXPECT_EQ(larger.At(50 + x, 6), kWood) << x;
  }
}

TEST(DrawnArt, AMasterThatFailedToDecodeLeavesBareWood) {
  for (const ArtImage& strip : {DrawRowLabels(Coverage{}, 144, 42), DrawColumnLabels(Coverage{}, 144, 42)}) {
    int inked = 0;
    for (int y = 0; y < strip.Height(); ++y) {
      for (int x = 0; x < strip.Width(); ++x) inked += strip.At(x, y) != kWood;
    }
    EXPECT_EQ(inked, 0);
  }
}

}  // namespace
