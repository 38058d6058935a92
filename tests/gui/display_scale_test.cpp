// The windows at other display scales. Wine never sends WM_DPICHANGED by itself, so the
// tests send it as Windows does when a window moves to a monitor of another scale.
#include <gtest/gtest.h>

#include <cstdlib>

#include "drawing/button_art.h"
#include "drawing/label_art.h"
#include "drawing/tile_art.h"
#include "frame_test_support.h"
#include "record/game_record.h"
#include "view/board_layout.h"
#include "view_test_support.h"

namespace {

const std::vector<std::string> kStones = {"X.................O", "...X.....O", "", "...O.....X.....X",
                                          "", "", "", "", "", ".........X"};

// What Windows does when the window reaches a monitor of dpi: suggests a rectangle at
// (left, top) and sends WM_DPICHANGED. Then paints what is pending.
void MoveToDpi(AppHarness& app, int dpi, int left, int top) {
  app.OnUiThread([&] {
    RECT suggested{left, top, left + 400, top + 400};
    SendMessageW(app.Main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  });
  app.PaintNow();
}

PixelBlock PixelsOf(const ArtImage& image) {
  PixelBlock block(image.Width(), image.Height());
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const ArtColour c = image.At(x, y);
      block.Data()[y * image.Width() + x] = (c.r << 16) | (c.g << 8) | c.b;
    }
  }
  return block;
}

Coverage MasterOf(int bitmapId) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(bitmapId), MAKEINTRESOURCEA(2));
  Coverage mask;
  DecodeRle8Mask(static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found))),
                 SizeofResource(nullptr, found), &mask);
  return mask;
}

// The number of points of the board that do not show their tile of sheet (cells of c).
int PointsOffTheSheet(AppHarness& app, const PixelBlock& board, const PixelBlock& sheet, int c) {
  int wrong = 0;
  app.OnUiThread([&] {
    for (int y = 0; y < 19; ++y) {
      for (int x = 0; x < 19; ++x) {
        int column = 0, row = 0;
        gGameRecord->Current().TileOf(x, y, &column, &row);
        wrong += board.Crop((x + 1) * c, (y + 1) * c, c, c) != sheet.Crop(column * c, row * c, c, c);
      }
    }
  });
  return wrong;
}

}  // namespace

TEST(DisplayScale, EachScaleAndViewSizeGivesAClientAreaOfExactlyTheToolbarAndBoard) {
  ViewHarness app(ID_VIEW_MIDDLE);
  app.PaintNow();
  const PixelBlock before = WindowPixels(app, app.Main());
  TraceRecorder trace;
  const int cells96[] = {48, 40, 32, 24, 16};
  const int views[] = {ID_VIEW_LARGE_VERY, ID_VIEW_LARGE, ID_VIEW_MIDDLE, ID_VIEW_SMALL,
                       ID_VIEW_SMALL_VERY};
  for (int dpi : {120, 144, 168, 192, 288, 96}) {
    MoveToDpi(app, dpi, 20, 10);
    EXPECT_EQ(ScreenRect(app.Main()).left, 20) << dpi;
    EXPECT_EQ(ScreenRect(app.Main()).top, 10) << dpi;
    const int toolbar = (36 * dpi + 48) / 96;
    for (int v = 0; v < 5; ++v) {
      app.Command(views[v]);
      const int side = 20 * ((cells96[v] * dpi + 48) / 96);
      const SIZE client = ClientSize(app.Main());
      EXPECT_EQ(client.cx, toolbar + side) << dpi << " DPI, view " << views[v];
      EXPECT_EQ(client.cy, side) << dpi << " DPI, view " << views[v];
      EXPECT_EQ(ClientSize(app.Board()).cx, side);
      EXPECT_EQ(ClientSize(app.Toolbar()).cx, toolbar);
      EXPECT_EQ(ScreenRect(app.Board()).left - ScreenRect(app.Toolbar()).left, toolbar);
    }
  }
  EXPECT_EQ(trace.Count("Frame::OnDpiChanged()\n"), 6);
  // Back at 96 DPI, what was drawn before is drawn again, from the shipped pictures.
  app.Command(ID_VIEW_MIDDLE);
  MoveToDpi(app, 96, 0, 0);
  EXPECT_TRUE(WindowPixels(app, app.Main()) == before);
}

TEST(DisplayScale, At144DpiTheMediumBoardIsTheShipped48PixelSheetTileForTile) {
  ViewHarness app(ID_VIEW_MIDDLE);
  ShowDiagram(app, kStones, ID_NEXT_BLACK);
  MoveToDpi(app, 144, 0, 0);
  const PixelBlock board = WindowPixels(app, app.Board());
  ASSERT_EQ(board.Width(), 960);
  EXPECT_EQ(PointsOffTheSheet(app, board, ResourcePixels(IDB_TILES_48), 48), 0);
  EXPECT_TRUE(board.Crop(0, 0, 48, 960) == ResourcePixels(IDB_ROW_LABELS));
  EXPECT_TRUE(board.Crop(48, 0, 912, 48) == ResourcePixels(IDB_COLUMN_LABELS));
}

// 42 is the small view at 175 %: no sheet ships for it, so it is drawn at that size.
TEST(DisplayScale, At168DpiTheSmallBoardAndTheToolbarAreDrawnAtTheirSize) {
  ViewHarness app(ID_VIEW_SMALL);
  ShowDiagram(app, kStones, ID_NEXT_WHITE);
  MoveToDpi(app, 168, 0, 0);
  constexpr int c = 42;
  const PixelBlock board = WindowPixels(app, app.Board());
  ASSERT_EQ(board.Width(), 20 * c);
  EXPECT_EQ(PointsOffTheSheet(app, board, PixelsOf(DrawTileSheet(c)), c), 0);
  EXPECT_TRUE(board.Crop(0, 0, c, 20 * c) ==
              PixelsOf(DrawRowLabels(MasterOf(IDB_ROW_LABELS_MASTER), 144, c)));
  EXPECT_TRUE(board.Crop(c, 0, 19 * c, c) ==
              PixelsOf(DrawColumnLabels(MasterOf(IDB_COLUMN_LABELS_MASTER), 144, c)));
  // The 137 button pressed, the others raised, each at its scaled place: 56 pixels, 4 apart.
  const PixelBlock toolbar = WindowPixels(app, app.Toolbar());
  const PixelBlock buttons = PixelsOf(DrawButtonSheet(56));
  ASSERT_EQ(toolbar.Width(), 63);
  for (int i = 0; i < 4; ++i) {
    const int pressedY = i == 1 ? 56 : 0;
    EXPECT_TRUE(toolbar.Crop(3, 4 + 60 * i, 56, 56) == buttons.Crop(56 * i, pressedY, 56, 56)) << i;
  }
}

TEST(DisplayScale, AtAScaledSizeReleasesLandOnThePointUnderThePointer) {
  ViewHarness app(ID_VIEW_SMALL);
  MoveToDpi(app, 168, 0, 0);
  constexpr int c = 42;
  RECT update{};
  app.OnUiThread([&] {
    // The last pixel of point (18, 0) is still that point.
    SendMessageA(app.Board(), WM_LBUTTONUP, 0, MAKELPARAM(20 * c - 1, 2 * c - 1));
    update = UpdateRectNow(app.Board());
  });
  EXPECT_EQ(update, (RECT{19 * c, c, 20 * c, 2 * c}));
  Stone stone = Empty;
  app.OnUiThread([&] { stone = gGameRecord->Current().At(18, 0); });
  EXPECT_EQ(stone, Black);
  // A press and release in the middle of the 139 button's scaled place chooses it.
  app.OnUiThread([&] {
    SendMessageA(app.Toolbar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(31, 4 + 3 * 60 + 28));
    SendMessageA(app.Toolbar(), WM_LBUTTONUP, 0, MAKELPARAM(31, 4 + 3 * 60 + 28));
  });
  EXPECT_TRUE(NextMoveChecked(app, ID_NEXT_WHITE_MANY));
}

TEST(DisplayScale, AMenuBarWrappedToMoreLinesStillLeavesTheWholeBoard) {
  ViewHarness app(ID_VIEW_MIDDLE);
  app.OnUiThread([&] {
    for (int i = 0; i < 4; ++i) AppendMenuW(GetMenu(app.Main()), MF_STRING, 60000 + i, L"とても長い見出しの項目");
    DrawMenuBar(app.Main());
  });
  app.Command(ID_VIEW_SMALL_VERY);
  EXPECT_EQ(ClientSize(app.Main()).cx, 36 + 320);
  EXPECT_EQ(ClientSize(app.Main()).cy, 320);
  int outer = 0;
  app.OnUiThread([&] { outer = gBoardLayout->OuterHeight(); });
  const RECT window = ScreenRect(app.Main());
  EXPECT_GT(window.bottom - window.top, outer) << "the menu bar did not wrap";
}

TEST(DisplayScale, AScaleThatChangedWhileMinimisedIsFittedOnRestore) {
  ViewHarness app(ID_VIEW_MIDDLE);
  app.OnUiThread([&] { ShowWindow(app.Main(), SW_MINIMIZE); });
  MoveToDpi(app, 144, 0, 0);
  app.OnUiThread([&] { ShowWindow(app.Main(), SW_RESTORE); });
  EXPECT_EQ(ClientSize(app.Main()).cx, 54 + 960);
  EXPECT_EQ(ClientSize(app.Main()).cy, 960);
}

TEST(DrawnArt, AtTheShippedSizesTheRecipeDrawsTheShippedPictures) {
  EXPECT_TRUE(PixelsOf(DrawButtonSheet(32)) == ResourcePixels(IDB_TOOLBAR));
  const int sheets[][2] = {{48, IDB_TILES_48}, {40, IDB_TILES_40}, {32, IDB_TILES_32},
                           {24, IDB_TILES_24}, {16, IDB_TILES_16}};
  for (const auto& sheet : sheets) {
    const int c = sheet[0];
    const PixelBlock drawn = PixelsOf(DrawTileSheet(c));
    const PixelBlock shipped = ResourcePixels(sheet[1]);
    // Points and stones exactly; the star point's edge rounds a little otherwise.
    EXPECT_TRUE(drawn.Crop(0, 0, 9 * c, 3 * c) == shipped.Crop(0, 0, 9 * c, 3 * c)) << c;
    int worst = 0;
    for (int y = 0; y < 3 * c; ++y) {
      for (int x = 9 * c; x < 10 * c; ++x) {
        for (int shift : {0, 8, 16}) {
          worst = std::max(worst, std::abs(static_cast<int>((drawn.At(x, y) >> shift) & 0xFF) -
                                           static_cast<int>((shipped.At(x, y) >> shift) & 0xFF)));
        }
      }
    }
    EXPECT_LE(worst, 8) << c;
  }
}
