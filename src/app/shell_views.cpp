#include "app/shell_views.h"

#include <windows.h>

#include "view/board_layout.h"
#include "view/child_goban.h"
#include "view/child_toolbar.h"

void ShellViews::ShowMenuMode(int nextMode) { gBoardLayout->SetNextMoveMode(nextMode); }

void ShellViews::ShowToolbarMode(int nextMode) { gChildToolbar->SetMode(nextMode); }

void ShellViews::RepaintBoard(const PixelRect& rect) {
  // An empty box goes through unchanged; the system repaints nothing for it.
  RECT area{rect.left, rect.top, rect.right, rect.bottom};
  InvalidateRect(gChildGoban->Window(), &area, FALSE);
}

int ShellViews::CellSize() const { return gBoardLayout->CellSize(); }

void ShellViews::ReportSaveFailure() {
  MessageBoxA(gChildGoban->Window(), "ファイルを開けませんでした", "エラー", MB_OK);
}
