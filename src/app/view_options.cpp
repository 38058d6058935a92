#include "app/view_options.h"

#include <windows.h>

#include "app/frame.h"
#include "app/read_options.h"
#include "app/window_settings.h"
#include "record/game_record.h"
#include "resource.h"
#include "view/board_layout.h"
#include "view/child_goban.h"

void ShowViewOptionChecks() {
  gBoardLayout->SetOptionCheck(ID_VIEW_INFO_PANE, gWindowSettings->infoPane.on);
  gBoardLayout->SetOptionCheck(ID_VIEW_LAST_MOVE_MARK, gWindowSettings->lastMoveMark.on);
}

void ToggleInfoPane() {
  const bool on = !gWindowSettings->infoPane.on;
  gWindowSettings->infoPane.Choose(on);
  gBoardLayout->SetOptionCheck(ID_VIEW_INFO_PANE, on);
  // Records read while the pane was away were read without their notes.
  const std::string& path = gFrame->RecordPath();
  if (on && !gGameRecord->Notes().Gathered() && !path.empty()) {
    gGameRecord->ReadNotes(path.c_str(), CurrentReadOptions());
  }
  gBoardLayout->SetInfoPaneShown(on);
  gFrame->ResizeToView();
}

void ToggleLastMoveMark() {
  const bool on = !gWindowSettings->lastMoveMark.on;
  gWindowSettings->lastMoveMark.Choose(on);
  gBoardLayout->SetOptionCheck(ID_VIEW_LAST_MOVE_MARK, on);
  if (!gGameRecord->CurrentHasLastStone()) return;
  const PixelRect cell = LastMoveRect(gGameRecord->Current(), gBoardLayout->CellSize());
  const RECT area{cell.left, cell.top, cell.right, cell.bottom};
  InvalidateRect(gChildGoban->Window(), &area, FALSE);
}
