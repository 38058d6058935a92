#include "view/board_layout.h"

#include "drawing/dpi_scale.h"
#include "drawing/view_size_table.h"
#include "platform/dpi_calls.h"

BoardLayout* gBoardLayout = nullptr;

namespace {

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

void BoardLayout::SetOptionCheck(int id, bool on) {
  CheckMenuItem(GetMenu(mainWindow_), id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void BoardLayout::SetDpi(int dpi) { dpi_ = dpi > 0 ? dpi : kBaseDpi; }

int BoardLayout::CellSize() const { return CellSizeAt(viewSize_, dpi_); }

int BoardLayout::TileBitmapId() const { return ShippedTileSheetOf(CellSize()); }

int BoardLayout::BoardSide() const { return CellSize() * 20; }

ToolbarGeometry BoardLayout::Toolbar() const { return ToolbarGeometryAt(dpi_); }

InfoPaneGeometry BoardLayout::InfoPane() const { return InfoPaneGeometryAt(CellSize(), dpi_); }

int BoardLayout::ClientWidth() const {
  return Toolbar().width + BoardSide() + (infoPaneShown_ ? InfoPane().width : 0);
}

int BoardLayout::OuterWidth() const { return OuterSizeAt(dpi_).cx; }

int BoardLayout::OuterHeight() const { return OuterSizeAt(dpi_).cy; }

SIZE BoardLayout::OuterSizeAt(int dpi) const {
  // The metrics are read afresh each time: the user may change the theme or the scale.
  auto metric = [dpi](int index) { return platform::SystemMetricForDpi(index, dpi); };
  const int cell = CellSizeAt(viewSize_, dpi);
  const int side = cell * 20;
  const int pane = infoPaneShown_ ? InfoPaneGeometryAt(cell, dpi).width : 0;
  return SIZE{side + ToolbarGeometryAt(dpi).width + pane + 2 * metric(SM_CXDLGFRAME),
              side + 2 * metric(SM_CYDLGFRAME) + metric(SM_CYCAPTION) + metric(SM_CYMENU)};
}
