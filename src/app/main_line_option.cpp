#include "app/main_line_option.h"

#include "app/frame.h"
#include "app/record_opening.h"
#include "app/window_settings.h"
#include "record/game_record.h"
#include "resource.h"

namespace {

// The stones placed by hand go with the re-read; their owner says whether that is fine.
bool MayDropVariation(HWND owner) {
  const int answer = MessageBoxW(
      owner, L"棋譜をファイルから読み直すため、置いた石 (変化) は消えます。\n読み直しますか?",
      L"本譜だけを読む", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
  return answer == IDYES;
}

}  // namespace

void ShowMainLineCheck(HWND mainWindow) {
  const UINT state = gWindowSettings->mainLineOnly.on ? MF_CHECKED : MF_UNCHECKED;
  CheckMenuItem(GetMenu(mainWindow), ID_FILE_MAIN_LINE, MF_BYCOMMAND | state);
}

void ToggleMainLineOnly(int) {
  const bool reread = !gFrame->RecordPath().empty();
  if (reread && gGameRecord->branchPoint != -1 && !MayDropVariation(gFrame->MainWindow())) return;
  gWindowSettings->mainLineOnly.Choose(!gWindowSettings->mainLineOnly.on);
  ShowMainLineCheck(gFrame->MainWindow());
  if (reread) ReadRecordAgain();
}
