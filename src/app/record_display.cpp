#include "app/record_display.h"

#include <windows.h>

#include "record/game_record.h"
#include "view/board_layout.h"
#include "view/child_goban.h"
#include "view/child_info_pane.h"
#include "view/child_toolbar.h"

void ShowWholeRecord() {
  const NextMoveMode mode = gGameRecord->Current().nextMode;
  gBoardLayout->SetNextMoveMode(mode);
  gChildToolbar->SetMode(mode);
  InvalidateRect(gChildGoban->Window(), nullptr, FALSE);
  gChildInfoPane->ShowRecord();
}
