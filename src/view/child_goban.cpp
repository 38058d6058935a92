// The board window: paints the current Position from the tile sheets, hands button
// releases to stone entry and opens files dropped on it.
#include "view/child_goban.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "app/frame.h"
#include "app/record_opening.h"
#include "app/record_display.h"
#include "app/window_settings.h"
#include "drawing/label_art.h"
#include "drawing/last_move_mark.h"
#include "drawing/tile_art.h"
#include "platform/trace.h"
#include "platform/utf16.h"
#include "record/game_record.h"
#include "resource.h"
#include "view/bitmap_dc.h"
#include "view/board_layout.h"
#include "view/child_window.h"

ChildGoban* gChildGoban = nullptr;

namespace {

// The shipped label strips are drawn for 48-pixel cells and scaled to the current size;
// their masters, for 144-pixel cells, are shrunk for the cell sizes drawn at run time.
constexpr int kStripCell = 48;
constexpr int kMasterCell = 144;
// Room for the path of a dropped file, terminator included.
constexpr UINT kDropPathCapacity = 1000;
// DragQueryFileW's index that asks for the number of files.
constexpr UINT kDropFileCount = 0xFFFFFFFF;

// The path in the system's code page, as the trace has always shown it. The trace alone
// takes this form: it is read, never opened.
std::string TraceTextOf(const wchar_t* path) {
  // No code page takes more than three bytes for one UTF-16 unit.
  std::string text(3 * kDropPathCapacity, '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, path, -1, &text[0],
                                          static_cast<int>(text.size()), nullptr, nullptr);
  text.resize(written > 0 ? static_cast<std::size_t>(written) - 1 : 0);
  return text;
}

// Scales the whole of a label strip bitmap onto the paint DC at (x, y), width x height.
void DrawStrip(HDC paintDc, int bitmapId, int sourceWidth, int sourceHeight, int x, int y,
               int width, int height) {
  BitmapDc strip(gFrame->Instance(), bitmapId, paintDc);
  // The DC's default mode ANDs the pixels it drops, which leaves coloured fringes and
  // merged numerals on a shrunken colour strip. Dropping them whole keeps the colours and
  // the gaps; halftone would be smoother but gives a clipped repaint other pixels than a
  // whole one, so an exposed part of a strip would not match the rest.
  SetStretchBltMode(paintDc, COLORONCOLOR);
  StretchBlt(paintDc, x, y, width, height, strip.Get(), 0, 0, sourceWidth, sourceHeight, SRCCOPY);
}

// The coverage of a label master, read from the program's own bitmap resource; empty
// when it is missing or damaged, which leaves bare wood where the labels stand.
Coverage LabelMaster(HINSTANCE instance, int bitmapId) {
  Coverage mask;
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(bitmapId), MAKEINTRESOURCEA(2));  // RT_BITMAP
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes) {
    DecodeRle8Mask(static_cast<const std::uint8_t*>(bytes), SizeofResource(instance, found), &mask);
  }
  return mask;
}

// Copies width x height of bitmap from its top-left corner to (x, y) of the paint DC.
void DrawWhole(HDC paintDc, HBITMAP bitmap, int x, int y, int width, int height) {
  MemoryDc source(paintDc);
  SelectionScope selection(source.Get(), bitmap);
  BitBlt(paintDc, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace

ChildGoban::ChildGoban() { gChildGoban = this; }

ChildGoban::~ChildGoban() {
  if (gChildGoban == this) gChildGoban = nullptr;
}

void ChildGoban::Create() {
  const int side = gBoardLayout->BoardSide();
  window_ = CreateChildWindow("GOBAN", ChildGobanWndProc, WS_EX_ACCEPTFILES,
                              gBoardLayout->Toolbar().width, side, side);
  ShowWindow(window_, SW_SHOW);
}

void ChildGoban::Resize() {
  const int side = gBoardLayout->BoardSide();
  MoveWindow(window_, gBoardLayout->Toolbar().width, 0, side, side, TRUE);
}

LRESULT ChildGoban::OnPaint() {
  platform::Trace("ChildGoban::OnPaint()\n");
  PaintScope paint(window_);
  const int c = gBoardLayout->CellSize();
  if (gBoardLayout->TileBitmapId() != 0) {
    PaintShipped(paint.Dc(), paint.Area(), c);
  } else if (c > 0) {
    PaintDrawn(paint.Dc(), paint.Area(), c);
  }
  return 0;
}

void ChildGoban::PaintShipped(HDC dc, const RECT& update, int c) {
  // Each strip only when the update area reaches into its column or row; the paint DC
  // clips away whatever falls outside the update region.
  if (update.left < c) {
    DrawStrip(dc, IDB_ROW_LABELS, kStripCell, 20 * kStripCell, 0, 0, c, 20 * c);
  }
  if (update.top < c) {
    DrawStrip(dc, IDB_COLUMN_LABELS, 19 * kStripCell, kStripCell, c, 0, 19 * c, c);
  }
  BitmapDc tiles(gFrame->Instance(), gBoardLayout->TileBitmapId(), dc);
  gGameRecord->DrawCells(update.left, update.top, update.right, update.bottom, dc, tiles.Get());
  PaintLastMoveMark(dc, update, tiles.Get(), c);
}

ChildGoban::BoardArt ChildGoban::DrawArt(HINSTANCE instance, int c,
                                         const std::atomic<bool>* wanted) {
  auto givenUp = [wanted] { return wanted && !*wanted; };
  BoardArt art;
  art.tiles = DrawTileSheet(c);
  if (givenUp()) return art;
  art.rowLabels = DrawRowLabels(LabelMaster(instance, IDB_ROW_LABELS_MASTER), kMasterCell, c);
  if (givenUp()) return art;
  art.columnLabels =
      DrawColumnLabels(LabelMaster(instance, IDB_COLUMN_LABELS_MASTER), kMasterCell, c);
  art.cell = c;
  return art;
}

void ChildGoban::DrawAhead() {
  const int c = gBoardLayout->CellSize();
  const bool needed = gBoardLayout->TileBitmapId() == 0 && c > 0 && c != drawn_.cell;
  if (needed && ahead_ && ahead_->cell == c) return;  // on its way already
  // A drawing of another size is given up, not waited for: at start, a first guess of the
  // scale that proved wrong would hold up the drawing of the right one.
  if (ahead_) ahead_->wanted = false;
  ahead_.reset();
  if (!needed) return;
  ahead_ = std::make_shared<AheadDrawing>(c);
  const HINSTANCE instance = gFrame->Instance();
  aheadWork_.Start([drawing = ahead_, instance] {
    drawing->art = DrawArt(instance, drawing->cell, &drawing->wanted);
  });
}

void ChildGoban::PaintDrawn(HDC dc, const RECT& update, int c) {
  if (drawn_.cell != c) {
    BoardArt art;
    if (ahead_ && ahead_->cell == c) {
      aheadWork_.Wait();
      art = std::move(ahead_->art);
    } else {
      art = DrawArt(gFrame->Instance(), c, nullptr);
    }
    if (ahead_) ahead_->wanted = false;
    ahead_.reset();
    drawn_.tiles.Assign(art.tiles);
    drawn_.rowLabels.Assign(art.rowLabels);
    drawn_.columnLabels.Assign(art.columnLabels);
    drawn_.cell = c;
  }
  // The strips are drawn at this very size: copied, never stretched.
  if (update.left < c) DrawWhole(dc, drawn_.rowLabels.Get(), 0, 0, c, 20 * c);
  if (update.top < c) DrawWhole(dc, drawn_.columnLabels.Get(), c, 0, 19 * c, c);
  MemoryDc tiles(dc);
  SelectionScope selection(tiles.Get(), drawn_.tiles.Get());
  gGameRecord->DrawCells(update.left, update.top, update.right, update.bottom, dc, tiles.Get());
  PaintLastMoveMark(dc, update, tiles.Get(), c);
}

void ChildGoban::PaintLastMoveMark(HDC dc, const RECT& update, HDC tiles, int c) {
  if (!gWindowSettings->lastMoveMark.on || !gGameRecord->CurrentHasLastStone()) return;
  const Position& position = gGameRecord->Current();
  const PixelRect cell = LastMoveRect(position, c);
  if (std::max<int>(update.left, cell.left) >= std::min<int>(update.right, cell.right) ||
      std::max<int>(update.top, cell.top) >= std::min<int>(update.bottom, cell.bottom)) {
    return;
  }
  if (markedCell_ != c) {
    // Columns 3 to 8 of the sheet hold the stones, whichever sheet the size has.
    markedStones_.Assign(ArtImage(6 * c, 3 * c, kWood));
    {
      MemoryDc copy(dc);
      SelectionScope selection(copy.Get(), markedStones_.Get());
      BitBlt(copy.Get(), 0, 0, 6 * c, 3 * c, tiles, 3 * c, 0, SRCCOPY);
    }
    markedStones_.Assign(MarkStoneTiles(markedStones_.Pixels(), c));
    markedCell_ = c;
  }
  int column = 0;
  int row = 0;
  position.TileOf(position.lastX, position.lastY, &column, &row);
  MemoryDc marked(dc);
  SelectionScope selection(marked.Get(), markedStones_.Get());
  BitBlt(dc, cell.left, cell.top, c, c, marked.Get(), (column - 3) * c, row * c, SRCCOPY);
}

LRESULT ChildGoban::OnShowWindow() {
  platform::Trace("ChildGoban::OnShowWindow()\n");
  return 0;
}

LRESULT ChildGoban::OnLButtonUp(LPARAM position) {
  platform::Trace("ChildGoban::OnLButtonUp()\n");
  const unsigned px = LOWORD(position);
  const unsigned py = HIWORD(position);
  gGameRecord->PutStone(px, py);
  return 0;
}

LRESULT ChildGoban::OnRButtonUp(LPARAM position) {
  platform::Trace("ChildGoban::OnRButtonUp()\n");
  const unsigned px = LOWORD(position);
  const unsigned py = HIWORD(position);
  gGameRecord->RemoveStone(px, py);
  return 0;
}

LRESULT ChildGoban::OnDropFiles(HDROP drop) {
  platform::Trace("ChildGoban::OnDropFiles()\n");
  if (DragQueryFileW(drop, kDropFileCount, nullptr, 0) != 0) {
    // Only the first file counts; the rest of the drop is ignored. A path too long for the
    // buffer would come cut, and a cut name could open another file: it opens nothing.
    wchar_t path[kDropPathCapacity] = {};
    if (DragQueryFileW(drop, 0, nullptr, 0) < kDropPathCapacity) {
      DragQueryFileW(drop, 0, path, kDropPathCapacity);
    }
    platform::Trace("ChildGoban::OnDropFiles(");
    platform::Trace(TraceTextOf(path).c_str());
    platform::Trace(")\n");
    // The menu, the toolbar and the whole board follow the record read.
    OpenRecordFile(platform::Utf8Of(path));
  }
  DragFinish(drop);
  return 0;
}

LRESULT CALLBACK ChildGobanWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: return gChildGoban->OnPaint();
    case WM_SHOWWINDOW: return gChildGoban->OnShowWindow();
    case WM_LBUTTONUP: return gChildGoban->OnLButtonUp(lParam);
    case WM_RBUTTONUP: return gChildGoban->OnRButtonUp(lParam);
    case WM_DROPFILES: return gChildGoban->OnDropFiles(reinterpret_cast<HDROP>(wParam));
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}
