// What the toolbar paints: bands of the menu-bar colour with the raised buttons and the
// one pressed button of the current mode.
#include <gtest/gtest.h>

#include "view/child_toolbar.h"
#include "view_test_support.h"

namespace {

struct Button {
  int mode;
  int top;
  int imageX;
};

constexpr Button kButtons[] = {{ID_NEXT_BLACK, 2, 0},
                               {ID_NEXT_WHITE, 36, 32},
                               {ID_NEXT_BLACK_MANY, 70, 64},
                               {ID_NEXT_WHITE_MANY, 104, 96}};

// True when every pixel of the rows [top, bottom) across the toolbar is colour.
bool RowsAre(const PixelBlock& toolbar, int top, int bottom, std::uint32_t colour) {
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < toolbar.Width(); ++x) {
      if (toolbar.At(x, y) != colour) return false;
    }
  }
  return true;
}

void Repaint(AppHarness& app, const RECT& area) {
  app.OnUiThread([&] {
    InvalidateRect(app.Toolbar(), &area, FALSE);
    UpdateWindow(app.Toolbar());
  });
}

}  // namespace

TEST(ToolbarPaint, AWholeRepaintShowsFourButtonsOnePressedOnTheMenuBarColour) {
  ViewHarness app(ID_VIEW_SMALL);
  const PixelBlock images = ResourcePixels(IDB_TOOLBAR);
  ASSERT_EQ(images.Width(), 128);
  ASSERT_EQ(images.Height(), 64);
  const std::uint32_t menuBar = PixelOf(GetSysColor(COLOR_MENUBAR));

  for (int current : {ID_NEXT_WHITE, ID_NEXT_WHITE_MANY}) {
    app.OnUiThread([&] { gChildToolbar->SetMode(current); });
    Repaint(app, RECT{0, 0, 36, 480});
    const PixelBlock toolbar = WindowPixels(app, app.Toolbar());
    ASSERT_EQ(toolbar.Width(), 36);
    ASSERT_EQ(toolbar.Height(), 480);
    for (const Button& b : kButtons) {
      const PixelBlock raised = images.Crop(b.imageX, 0, 32, 32);
      const PixelBlock pressed = images.Crop(b.imageX, 32, 32, 32);
      ASSERT_NE(raised, pressed);
      const PixelBlock shown = toolbar.Crop(2, b.top, 32, 32);
      EXPECT_TRUE(shown == (b.mode == current ? pressed : raised))
          << "button " << b.mode << " with mode " << current;
      for (int y = b.top; y < b.top + 32; ++y) {
        for (int x : {0, 1, 34, 35}) {
          EXPECT_EQ(toolbar.At(x, y), menuBar) << x << ", " << y;
        }
      }
    }
    EXPECT_TRUE(RowsAre(toolbar, 0, 2, menuBar));
    EXPECT_TRUE(RowsAre(toolbar, 34, 36, menuBar));
    EXPECT_TRUE(RowsAre(toolbar, 68, 70, menuBar));
    EXPECT_TRUE(RowsAre(toolbar, 102, 104, menuBar));
    EXPECT_TRUE(RowsAre(toolbar, 136, 480, menuBar));
  }
}

// An update area that ends in the top rows of the 138 or 139 button repaints the band
// above it, whose fill reaches into that button; the button must come back whole there.
TEST(ToolbarPaint, AnUpdateEndingInTheTopRowsOfALowerButtonRedrawsThatButton) {
  ViewHarness app(ID_VIEW_MIDDLE);
  app.PaintNow();
  const PixelBlock images = ResourcePixels(IDB_TOOLBAR);
  const std::uint32_t menuBar = PixelOf(GetSysColor(COLOR_MENUBAR));
  const COLORREF marker = RGB(255, 0, 255);

  Daub(app, app.Toolbar(), RECT{0, 96, 36, 112}, marker);
  Repaint(app, RECT{0, 100, 36, 106});
  PixelBlock toolbar = WindowPixels(app, app.Toolbar());
  EXPECT_TRUE(toolbar.Crop(2, 100, 32, 2) == images.Crop(64, 30, 32, 2)) << "138 button";
  EXPECT_TRUE(RowsAre(toolbar, 102, 104, menuBar));
  EXPECT_TRUE(toolbar.Crop(2, 104, 32, 2) == images.Crop(96, 0, 32, 2)) << "139 button";
  EXPECT_TRUE(RowsAre(toolbar, 106, 112, PixelOf(marker))) << "outside the update area";

  Daub(app, app.Toolbar(), RECT{0, 60, 36, 76}, marker);
  Repaint(app, RECT{0, 66, 36, 72});
  toolbar = WindowPixels(app, app.Toolbar());
  EXPECT_TRUE(toolbar.Crop(2, 66, 32, 2) == images.Crop(32, 30, 32, 2)) << "137 button";
  EXPECT_TRUE(RowsAre(toolbar, 68, 70, menuBar));
  EXPECT_TRUE(toolbar.Crop(2, 70, 32, 2) == images.Crop(64, 0, 32, 2)) << "138 button";
}

TEST(ToolbarPaint, EachPaintIsTraced) {
  ViewHarness app(ID_VIEW_MIDDLE);
  app.PaintNow();
  TraceRecorder trace;
  Repaint(app, RECT{0, 0, 36, 40});
  EXPECT_EQ(trace.Texts(), std::vector<std::string>{"ChildToolbar::OnPaint()\n"});
}
