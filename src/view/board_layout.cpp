#include "view/board_layout.h"

#include "view/view_size_table.h"

BoardLayout* gBoardLayout = nullptr;

namespace {

// The toolbar's width left of the board, in pixels.
constexpr int kToolbarPixels = 36;
// Menu bar positions of the pop-ups whose check marks this class keeps.
constexpr int kViewMenuPosition = 1;
constexpr int kNextMoveMenuPosition = 2;

// Unchecks every id of the pop-up at position, in the given order, then checks id.
template <typename Ids>
void MoveCheckMark(HWND mainWindow, int position, const Ids& ids, int id) {
  HMENU popup = GetSubMenu(GetMenu(mainWindow), position);
  for (int each : ids) CheckMenuItem(popup, each, MF_BYCOMMAND | MF_UNCHECKED);
  CheckMenuItem(popup, id, MF_BYCOMMAND | MF_CHECKED);
}

}  // namespace

BoardLayout::BoardLayout() { gBoardLayout = this; }

BoardLayout::~BoardLayout() {
  if (gBoardLayout == this) gBoardLayout = nullptr;
}

void BoardLayout::SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }

void BoardLayout::SetViewSize(int viewSize) {
  viewSize_ = viewSize;
  MoveCheckMark(mainWindow_, kViewMenuPosition, kViewSizes, viewSize);
}

void BoardLayout::SetNextMoveMode(int mode) {
  nextMoveMode_ = mode;
  MoveCheckMark(mainWindow_, kNextMoveMenuPosition, kNextMoveModes, mode);
}

int BoardLayout::CellSize() const { return CellSizeOf(viewSize_); }

int BoardLayout::TileBitmapId() const { return TileBitmapIdOf(viewSize_); }

int BoardLayout::BoardSide() const { return CellSize() * 20; }

int BoardLayout::OuterWidth() const {
  return BoardSide() + 2 * GetSystemMetrics(SM_CXDLGFRAME) + kToolbarPixels;
}

int BoardLayout::OuterHeight() const {
  return BoardSide() + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) +
         GetSystemMetrics(SM_CYMENU);
}
