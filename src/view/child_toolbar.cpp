// The next-move toolbar: four picture buttons painted from one bitmap, with its own hit
// test and mouse capture.
#include "view/child_toolbar.h"

#include <algorithm>

#include "app/frame.h"
#include "drawing/button_art.h"
#include "drawing/view_size_table.h"
#include "platform/trace.h"
#include "record/game_record.h"
#include "resource.h"
#include "view/bitmap_dc.h"
#include "view/board_layout.h"
#include "view/child_window.h"

ChildToolbar* gChildToolbar = nullptr;

namespace {

// The size of the buttons in the shipped toolbar bitmap.
constexpr int kShippedButtonSize = 32;

// True when the rows [top, bottom) of the update rectangle meet the rows [low, high).
bool MeetsRows(const RECT& update, int low, int high) {
  return std::max(static_cast<int>(update.top), low) <
         std::min(static_cast<int>(update.bottom), high);
}

// Asks for the button of mode to be redrawn, without erasing; nothing for a value that
// is none of the four modes.
void InvalidateButton(HWND window, NextMoveMode mode) {
  const ToolbarGeometry g = gBoardLayout->Toolbar();
  const int top = g.ButtonTop(mode);
  if (top < 0) return;
  const RECT button{g.buttonLeft, top, g.ButtonRight(), top + g.buttonSize};
  InvalidateRect(window, &button, FALSE);
}

}  // namespace

ChildToolbar::ChildToolbar() { gChildToolbar = this; }

ChildToolbar::~ChildToolbar() {
  if (gChildToolbar == this) gChildToolbar = nullptr;
}

void ChildToolbar::Create() {
  window_ = CreateChildWindow("TOOLBAR", ChildToolbarWndProc, 0, 0, gBoardLayout->Toolbar().width,
                              gBoardLayout->BoardSide());
  ShowWindow(window_, SW_SHOW);
}

void ChildToolbar::Resize() {
  MoveWindow(window_, 0, 0, gBoardLayout->Toolbar().width, gBoardLayout->BoardSide(), TRUE);
}

void ChildToolbar::SetMode(NextMoveMode mode) {
  if (mode == mode_) return;
  // Without a window, InvalidateRect would repaint every window on the screen.
  if (window_) {
    InvalidateButton(window_, mode_);
    InvalidateButton(window_, mode);
  }
  mode_ = mode;
}

void ChildToolbar::HitTest(unsigned x, unsigned y) {
  SetMode(gBoardLayout->Toolbar().ModeAt(x, y, modeAtPress_));
}

LRESULT ChildToolbar::OnPaint() {
  platform::Trace("ChildToolbar::OnPaint()\n");
  PaintScope paint(window_);
  const ToolbarGeometry g = gBoardLayout->Toolbar();
  if (g.buttonSize == kShippedButtonSize) {
    BitmapDc images(gFrame->Instance(), IDB_TOOLBAR, paint.Dc());
    PaintButtons(paint.Dc(), paint.Area(), g, images.Get());
    return 0;
  }
  if (drawnButtonSize_ != g.buttonSize) {
    drawnButtons_.Assign(DrawButtonSheet(g.buttonSize));
    drawnButtonSize_ = g.buttonSize;
  }
  MemoryDc images(paint.Dc());
  SelectionScope selection(images.Get(), drawnButtons_.Get());
  PaintButtons(paint.Dc(), paint.Area(), g, images.Get());
  return 0;
}

void ChildToolbar::PaintButtons(HDC dc, const RECT& update, const ToolbarGeometry& g,
                                HDC images) {
  SelectionScope brush(dc, GetSysColorBrush(COLOR_MENUBAR));
  for (NextMoveMode mode : kNextMoveModes) {
    const int bandTop = g.BandTop(mode);
    const int buttonTop = g.ButtonTop(mode);
    const bool bandMeets = MeetsRows(update, bandTop, bandTop + g.width);
    if (bandMeets) PatBlt(dc, 0, bandTop, g.width, g.width, PATCOPY);
    // The 138 and 139 buttons reach into the band above their own; an update area that
    // ends there has just had their top rows filled over, so they are drawn again too.
    if (bandMeets || MeetsRows(update, buttonTop, buttonTop + g.buttonSize)) {
      // Upper half of the images: raised faces; lower half: pressed faces.
      const int imageY = mode == mode_ ? g.buttonSize : 0;
      BitBlt(dc, g.buttonLeft, buttonTop, g.buttonSize, g.buttonSize, images, g.ButtonImageX(mode),
             imageY, SRCCOPY);
    }
  }
  const int side = gBoardLayout->BoardSide();
  if (MeetsRows(update, g.BandsBottom(), side)) {
    PatBlt(dc, 0, g.BandsBottom(), g.width, side - g.BandsBottom(), PATCOPY);
  }
}

LRESULT ChildToolbar::OnMouseMove(LPARAM position) {
  // Only a gesture that began here, and so holds the capture, follows the pointer.
  if (GetCapture() != window_) return 0;
  platform::Trace("ChildToolbar::OnMouseMove()\n");
  HitTest(LOWORD(position), HIWORD(position));
  return 0;
}

LRESULT ChildToolbar::OnLButtonDown(LPARAM position) {
  platform::Trace("ChildToolbar::OnLButtonDown()\n");
  modeAtPress_ = mode_;
  SetCapture(window_);
  HitTest(LOWORD(position), HIWORD(position));
  return 0;
}

LRESULT ChildToolbar::OnLButtonUp(LPARAM position) {
  platform::Trace("ChildToolbar::OnLButtonUp()\n");
  HitTest(LOWORD(position), HIWORD(position));
  ReleaseCapture();
  // The gesture ends here: the menu and the record take the mode the toolbar shows.
  gBoardLayout->SetNextMoveMode(mode_);
  gGameRecord->Current().nextMode = mode_;
  return 0;
}

LRESULT CALLBACK ChildToolbarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: return gChildToolbar->OnPaint();
    case WM_MOUSEMOVE: return gChildToolbar->OnMouseMove(lParam);
    case WM_LBUTTONDOWN: return gChildToolbar->OnLButtonDown(lParam);
    case WM_LBUTTONUP: return gChildToolbar->OnLButtonUp(lParam);
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}
