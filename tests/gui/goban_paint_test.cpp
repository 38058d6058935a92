// What the board window paints: one tile per cell from the sheet of the current size, and
// the label strips only when the update rectangle reaches them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "view_test_support.h"

namespace {

struct Size {
  int viewSize;
  int cell;
  int tileSheet;
};

constexpr Size kSizes[] = {
    {ID_VIEW_LARGE_VERY, 48, IDB_TILES_48}, {ID_VIEW_LARGE, 40, IDB_TILES_40},
    {ID_VIEW_MIDDLE, 32, IDB_TILES_32},     {ID_VIEW_SMALL, 24, IDB_TILES_24},
    {ID_VIEW_SMALL_VERY, 16, IDB_TILES_16},
};

// Stones on corners, edges, inner points and star points; (9, 3), (3, 9), (15, 9) and
// (9, 15) stay empty star points, (0, 9) an empty edge on a star line.
const std::vector<std::string> kMixedBoard = {
    "X....O............O",  //
    ".X.................",  //
    "...................",  //
    "...X...........O...",  //
    "...................",  //
    "...................",  //
    "...................",  //
    "O..................",  //
    "...................",  //
    ".........X.........",  //
    "..........O........",  //
    "...................",  //
    "..................X",  //
    "...................",  //
    "...................",  //
    "...O...........X...",  //
    "...................",  //
    "...................",  //
    "X...........X.....O",  //
};

void PrintTo(const Size& size, std::ostream* out) { *out << size.cell << "-pixel cells"; }

bool OnStarLine(int v) { return v == 3 || v == 9 || v == 15; }
int EdgeIndex(int v) { return v == 0 ? 0 : v == 18 ? 2 : 1; }

// The sheet cell a Go player expects at (x, y): the edge or corner picture, the dot on an
// empty star point, the stone of the colour over the lines that leave it.
void ExpectedTile(char stone, int x, int y, int* column, int* row) {
  *row = EdgeIndex(y);
  *column = EdgeIndex(x);
  if (stone == 'X') *column += 3;
  if (stone == 'O') *column += 6;
  if (stone == '.' && OnStarLine(x) && OnStarLine(y)) *column = 9;
}

// On the program's thread: paints what is pending, forgets those calls, then invalidates
// area (the whole window for nullptr) and paints it, so that the log holds that paint only.
void PaintExactly(HWND window, const RECT* area, ImportCallLog& log) {
  UpdateWindow(window);
  log.Clear();
  InvalidateRect(window, area, FALSE);
  UpdateWindow(window);
}

class GobanPaint : public testing::TestWithParam<Size> {};

TEST_P(GobanPaint, EveryCellShowsItsTileFromTheSheetOfTheSize) {
  const Size size = GetParam();
  const int c = size.cell;
  const PixelBlock sheet = ResourcePixels(size.tileSheet);
  ASSERT_EQ(sheet.Width(), 10 * c);
  ASSERT_EQ(sheet.Height(), 3 * c);
  // The comparison means something only if the pictures differ.
  ASSERT_NE(sheet.Crop(c, c, c, c), sheet.Crop(9 * c, c, c, c)) << "inner point and star point";
  ASSERT_NE(sheet.Crop(0, c, c, c), sheet.Crop(c, c, c, c)) << "left edge and inner point";
  ASSERT_NE(sheet.Crop(4 * c, c, c, c), sheet.Crop(7 * c, c, c, c)) << "black and white";

  ViewHarness app(size.viewSize);
  ShowDiagram(app, kMixedBoard, ID_NEXT_BLACK);
  const PixelBlock board = WindowPixels(app, app.Board());
  ASSERT_EQ(board.Width(), 20 * c);
  ASSERT_EQ(board.Height(), 20 * c);

  int mismatches = 0;
  for (int y = 0; y < 19; ++y) {
    for (int x = 0; x < 19; ++x) {
      int column = 0;
      int row = 0;
      ExpectedTile(kMixedBoard[y][x], x, y, &column, &row);
      const bool same =
          board.Crop((x + 1) * c, (y + 1) * c, c, c) == sheet.Crop(column * c, row * c, c, c);
      EXPECT_TRUE(same) << "point (" << x << ", " << y << ") should show tile (" << column << ", "
                        << row << ")";
      mismatches += !same;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_P(GobanPaint, LabelStripsAreScaledOntoTheFirstColumnAndRow) {
  const Size size = GetParam();
  const int c = size.cell;
  ViewHarness app(size.viewSize);
  app.PaintNow();
  ImportCallLog log;
  app.OnUiThread([&] { PaintExactly(app.Board(), nullptr, log); });
  const auto strips = log.CallsOf("StretchBlt", app.Board());
  ASSERT_EQ(strips.size(), 2u);
  EXPECT_EQ((RECT{strips[0].x, strips[0].y, strips[0].width, strips[0].height}),
            (RECT{0, 0, c, 20 * c}))
      << "row labels";
  EXPECT_EQ((RECT{strips[1].x, strips[1].y, strips[1].width, strips[1].height}),
            (RECT{c, 0, 19 * c, c}))
      << "column labels";
  EXPECT_EQ(log.CallsOf("BitBlt", app.Board()).size(), 361u);
}

// How far (largest channel difference) colour lies from the blends of ink and ground.
int OffBlend(std::uint32_t colour, std::uint32_t ink, std::uint32_t ground) {
  double p[3], a[3], b[3];
  for (int i = 0; i < 3; ++i) {
    p[i] = (colour >> (16 - 8 * i)) & 0xFF;
    a[i] = (ink >> (16 - 8 * i)) & 0xFF;
    b[i] = (ground >> (16 - 8 * i)) & 0xFF;
  }
  double along = 0, length = 0;
  for (int i = 0; i < 3; ++i) {
    along += (p[i] - a[i]) * (b[i] - a[i]);
    length += (b[i] - a[i]) * (b[i] - a[i]);
  }
  const double t = std::min(1.0, std::max(0.0, along / length));
  double worst = 0;
  for (int i = 0; i < 3; ++i) worst = std::max(worst, std::abs(p[i] - (a[i] + t * (b[i] - a[i]))));
  return static_cast<int>(worst);
}


// Shrinking the strips must not invent colours: a numeral stays ink fading into the
// ground, without coloured fringes.
TEST_P(GobanPaint, ScaledLabelsKeepTheStripsColours) {
  const Size size = GetParam();
  const int c = size.cell;
  const PixelBlock strip = ResourcePixels(IDB_COLUMN_LABELS);
  ASSERT_GT(strip.Width(), 0);
  const std::uint32_t ground = strip.At(0, 0);
  std::uint32_t ink = ground;
  for (int y = 0; y < strip.Height(); ++y) {
    for (int x = 0; x < strip.Width(); ++x) {
      const std::uint32_t v = strip.At(x, y);
      if ((v & 0xFF) + ((v >> 8) & 0xFF) + (v >> 16) <
          (ink & 0xFF) + ((ink >> 8) & 0xFF) + (ink >> 16))
        ink = v;
    }
  }

  ViewHarness app(size.viewSize);
  app.PaintNow();
  const PixelBlock board = WindowPixels(app, app.Board());
  int worst = 0;
  for (int y = 0; y < 20 * c; ++y) {
    for (int x = 0; x < 20 * c; ++x) {
      if (x >= c && y >= c) continue;  // the points
      worst = std::max(worst, OffBlend(board.At(x, y), ink, ground));
    }
  }
  EXPECT_LE(worst, 8);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, GobanPaint, testing::ValuesIn(kSizes),
                         [](const testing::TestParamInfo<Size>& info) {
                           return "Cell" + std::to_string(info.param.cell);
                         });

}  // namespace

TEST(GobanLabels, AtFullSizeTheStripsAreCopiedPixelForPixel) {
  ViewHarness app(ID_VIEW_LARGE_VERY);
  app.PaintNow();
  const PixelBlock board = WindowPixels(app, app.Board());
  const PixelBlock rows = ResourcePixels(IDB_ROW_LABELS);
  const PixelBlock columns = ResourcePixels(IDB_COLUMN_LABELS);
  ASSERT_EQ(rows.Width(), 48);
  ASSERT_EQ(rows.Height(), 960);
  ASSERT_EQ(columns.Width(), 912);
  ASSERT_EQ(columns.Height(), 48);
  EXPECT_TRUE(board.Crop(0, 0, 48, 960) == rows);
  EXPECT_TRUE(board.Crop(48, 0, 912, 48) == columns);
}

namespace {

// Paints the board after invalidating exactly area, and returns the blits it made there.
struct BoardPaint {
  std::vector<ImportCall> cells;
  std::vector<ImportCall> strips;
};

BoardPaint PaintOnly(AppHarness& app, const RECT& area) {
  app.PaintNow();
  ImportCallLog log;
  app.OnUiThread([&] { PaintExactly(app.Board(), &area, log); });
  return BoardPaint{log.CallsOf("BitBlt", app.Board()), log.CallsOf("StretchBlt", app.Board())};
}

using Corner = std::pair<int, int>;

// The top-left corners of the cells drawn.
std::vector<Corner> Corners(const std::vector<ImportCall>& calls) {
  std::vector<Corner> corners;
  for (const ImportCall& call : calls) corners.emplace_back(call.x, call.y);
  return corners;
}

}  // namespace

TEST(GobanUpdateArea, OneInnerCellDrawsThatPointAndNoStrip) {
  ViewHarness app(ID_VIEW_MIDDLE);
  const BoardPaint paint = PaintOnly(app, RECT{64, 64, 96, 96});
  EXPECT_TRUE(paint.strips.empty());
  ASSERT_EQ(paint.cells.size(), 1u);
  EXPECT_EQ(paint.cells[0].x, 64);
  EXPECT_EQ(paint.cells[0].y, 64);
  EXPECT_EQ(paint.cells[0].width, 32);
  EXPECT_EQ(paint.cells[0].height, 32);
}

TEST(GobanUpdateArea, TheBlankCornerDrawsNoPointButBothStrips) {
  ViewHarness app(ID_VIEW_MIDDLE);
  const BoardPaint paint = PaintOnly(app, RECT{0, 0, 32, 32});
  EXPECT_TRUE(paint.cells.empty());
  EXPECT_EQ(paint.strips.size(), 2u);
}

TEST(GobanUpdateArea, EachStripOnlyWhenTheAreaReachesItsColumnOrRow) {
  ViewHarness app(ID_VIEW_MIDDLE);
  BoardPaint paint = PaintOnly(app, RECT{31, 64, 96, 96});
  ASSERT_EQ(paint.strips.size(), 1u);
  EXPECT_EQ(paint.strips[0].height, 640) << "the row labels, one column high";
  paint = PaintOnly(app, RECT{64, 31, 96, 96});
  ASSERT_EQ(paint.strips.size(), 1u);
  EXPECT_EQ(paint.strips[0].width, 608) << "the column labels, one row wide";
  paint = PaintOnly(app, RECT{32, 32, 640, 640});
  EXPECT_TRUE(paint.strips.empty());
  EXPECT_EQ(paint.cells.size(), 361u);
}

TEST(GobanUpdateArea, CellsThatOnlyTouchTheAreaAreNotDrawn) {
  ViewHarness app(ID_VIEW_MIDDLE);
  // Right edge on the left edge of point (2, 1), bottom edge on the top of row 2.
  std::vector<Corner> drawn = Corners(PaintOnly(app, RECT{70, 70, 96, 96}).cells);
  EXPECT_EQ(drawn, (std::vector<Corner>{{64, 64}}));
  // One pixel more across reaches point (2, 1); the order is row by row, left to right.
  drawn = Corners(PaintOnly(app, RECT{95, 95, 97, 97}).cells);
  EXPECT_EQ(drawn, (std::vector<Corner>{{64, 64}, {96, 64}, {64, 96}, {96, 96}}));
}

TEST(GobanUpdateArea, RedrawnStripCoversWhatWasDaubedOverIt) {
  ViewHarness app(ID_VIEW_MIDDLE);
  app.PaintNow();
  const PixelBlock before = WindowPixels(app, app.Board());
  const COLORREF marker = RGB(255, 0, 255);
  Daub(app, app.Board(), RECT{0, 64, 32, 96}, marker);
  Daub(app, app.Board(), RECT{64, 64, 96, 96}, marker);
  ASSERT_EQ(WindowPixels(app, app.Board()).At(5, 70), PixelOf(marker));

  app.OnUiThread([&] {
    RECT area{0, 64, 96, 96};
    InvalidateRect(app.Board(), &area, FALSE);
    UpdateWindow(app.Board());
  });
  const PixelBlock after = WindowPixels(app, app.Board());
  EXPECT_TRUE(after.Crop(0, 64, 96, 32) == before.Crop(0, 64, 96, 32));
}
