#include "app/shell_views.h"

#include <windows.h>

#include "view/board_layout.h"
#include "view/child_goban.h"
#include "view/child_toolbar.h"

void ShellViews::ShowMenuMode(int nextMode) { gBoardLayout->SetNextMoveMode(nextMode); }

void ShellViews::ShowToolbarMode(int nextMode) { gChildToolbar->SetMode(nextMode); }

void ShellViews::RepaintBoard(const PixelRect& rect) {
  // An empty box (navigation between equal boards) asks for nothing. The system would not
  // ignore it: it puts an inverted rectangle's corners in order and repaints that area.
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  RECT area{rect.left, rect.top, rect.right, rect.bottom};
  InvalidateRect(gChildGoban->Window(), &area, FALSE);
}

int ShellViews::CellSize() const { return gBoardLayout->CellSize(); }

void ShellViews::ReportSaveFailure() {
  MessageBoxA(gChildGoban->Window(), "ファイルを開けませんでした", "エラー", MB_OK);
}
