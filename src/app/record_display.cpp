#include "app/record_display.h"

#include <windows.h>

#include "app/frame.h"
#include "app/window_settings.h"
#include "record/game_record.h"
#include "view/board_layout.h"
#include "view/child_goban.h"
#include "view/child_info_pane.h"
#include "view/child_toolbar.h"

ReadOptions CurrentReadOptions() {
  ReadOptions options;
  options.notes = gWindowSettings->infoPane.on;
  options.mainLineOnly = gWindowSettings->mainLineOnly.on;
  return options;
}

void LoadRecord(const char* fileName) {
  gFrame->SetRecordPath(fileName);
  gGameRecord->Load(fileName, CurrentReadOptions());
}

void ShowWholeRecord() {
  const NextMoveMode mode = gGameRecord->Current().nextMode;
  gBoardLayout->SetNextMoveMode(mode);
  gChildToolbar->SetMode(mode);
  InvalidateRect(gChildGoban->Window(), nullptr, FALSE);
  gChildInfoPane->ShowRecord();
}
