#include "app/about_dialog.h"
#include "app/frame.h"
#include "app/main_line_option.h"
#include "app/record_display.h"
#include "app/view_options.h"
#include "platform/trace.h"
#include "record/game_record.h"
#include "resource.h"
#include "view/board_layout.h"
#include "view/child_toolbar.h"

namespace {

void NewGame(int) {
  gFrame->SetRecordShown("", 0);
  gGameRecord->Reset();
  gFrame->ForgetSaveTarget();
  ShowWholeRecord();
}

void ChangeViewSize(int viewSize) {
  gBoardLayout->SetViewSize(viewSize);
  gFrame->ResizeToView();
}

// The mode belongs to the current Position; the board does not show it, so nothing is
// repainted there.
void ChangeNextMoveMode(int mode) {
  gBoardLayout->SetNextMoveMode(mode);
  gChildToolbar->SetMode(mode);
  gGameRecord->Current().nextMode = mode;
}

void LookNext(int) { gGameRecord->LookNext(); }
void LookBack(int) { gGameRecord->LookBack(); }
void LookHome(int) { gGameRecord->LookHome(); }
void LookEnd(int) { gGameRecord->LookEnd(); }
void LookDel(int) { gGameRecord->LookDel(); }
void InfoPane(int) { ToggleInfoPane(); }
void LastMoveMark(int) { ToggleLastMoveMark(); }

// A command handled inside Frame::OnCommand: its trace text and its action, which is
// given the command id.
struct NamedCommand {
  int id;
  const char* trace;
  void (*action)(int id);
};

constexpr NamedCommand kNamedCommands[] = {
    {ID_FILE_NEW, "Frame::OnCommand(ID_FILE_NEW)\n", NewGame},
    {ID_FILE_MAIN_LINE, "Frame::OnCommand(ID_FILE_MAIN_LINE)\n", ToggleMainLineOnly},
    {ID_VIEW_LARGE_VERY, "Frame::OnCommand(ID_VIEW_LARGE_VERY)\n", ChangeViewSize},
    {ID_VIEW_LARGE, "Frame::OnCommand(ID_VIEW_LARGE)\n", ChangeViewSize},
    {ID_VIEW_MIDDLE, "Frame::OnCommand(ID_VIEW_MIDDLE)\n", ChangeViewSize},
    {ID_VIEW_SMALL, "Frame::OnCommand(ID_VIEW_SMALL)\n", ChangeViewSize},
    {ID_VIEW_SMALL_VERY, "Frame::OnCommand(ID_VIEW_SMALL_VERY)\n", ChangeViewSize},
    {ID_NEXT_BLACK, "Frame::OnCommand(ID_NEXT_BLACK)\n", ChangeNextMoveMode},
    {ID_NEXT_WHITE, "Frame::OnCommand(ID_NEXT_WHITE)\n", ChangeNextMoveMode},
    {ID_NEXT_BLACK_MANY, "Frame::OnCommand(ID_NEXT_BLACK_MANY)\n", ChangeNextMoveMode},
    {ID_NEXT_WHITE_MANY, "Frame::OnCommand(ID_NEXT_WHITE_MANY)\n", ChangeNextMoveMode},
    {ID_LOOK_NEXT, "Frame::OnCommand(ID_LOOK_NEXT)\n", LookNext},
    {ID_LOOK_BACK, "Frame::OnCommand(ID_LOOK_BACK)\n", LookBack},
    {ID_LOOK_HOME, "Frame::OnCommand(ID_LOOK_HOME)\n", LookHome},
    {ID_LOOK_END, "Frame::OnCommand(ID_LOOK_END)\n", LookEnd},
    {ID_LOOK_DEL, "Frame::OnCommand(ID_LOOK_DEL)\n", LookDel},
    {ID_VIEW_INFO_PANE, "Frame::OnCommand(ID_VIEW_INFO_PANE)\n", InfoPane},
    {ID_VIEW_LAST_MOVE_MARK, "Frame::OnCommand(ID_VIEW_LAST_MOVE_MARK)\n", LastMoveMark},
};

}  // namespace

LRESULT Frame::OnCommand(WPARAM wParam) {
  platform::Trace("Frame::OnCommand()\n");
  // The high word tells a menu from an accelerator; both act the same.
  const int id = LOWORD(wParam);
  switch (id) {
    case IDM_ABOUT:
      OnCommandAbout();
      return 0;
    case IDM_EXIT:
      OnCommandExit();
      return 0;
    case ID_FILE_OPEN:
      OnCommandFileOpen();
      return 0;
    case ID_FILE_SAVE:
      OnCommandFileSave();
      return 0;
    case ID_FILE_SAVE_AS:
      OnCommandFileSaveAs();
      return 0;
  }
  for (const NamedCommand& command : kNamedCommands) {
    if (command.id != id) continue;
    platform::Trace(command.trace);
    command.action(id);
    break;
  }
  return 0;
}

void Frame::OnCommandExit() {
  platform::Trace("Frame::OnCommandExit()\n");
  PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
}

void Frame::OnCommandAbout() {
  platform::Trace("Frame::OnCommandAbout()\n");
  AboutDialog dialog(instance_, mainWindow_);
  const int button = dialog.Show();
  if (button == IDOK) platform::Trace("Frame::OnCommandAbout(IDOK)\n");
  if (button == IDCANCEL) platform::Trace("Frame::OnCommandAbout(IDCANCEL)\n");
}
