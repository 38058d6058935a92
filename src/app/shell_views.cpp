#include "app/shell_views.h"

#include <windows.h>

#include <string>

#include "app/window_settings.h"
#include "platform/utf16.h"
#include "view/board_layout.h"
#include "view/child_goban.h"
#include "view/child_info_pane.h"
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

void ShellViews::ShowNotes() { gChildInfoPane->ShowPosition(); }

bool ShellViews::MarksLastMove() const { return gWindowSettings->lastMoveMark.on; }

int ShellViews::CellSize() const { return gBoardLayout->CellSize(); }

// UTF-16 texts, so that the box reads the same whatever the system's code page.
void ShellViews::ReportSaveFailure(const char* keptCopy) {
  std::wstring text = L"ファイルを開けませんでした";
  UINT icon = 0;
  std::wstring kept;
  if (keptCopy[0] != '\0' && platform::Utf16Of(keptCopy, &kept)) {
    // The old file may be gone: without this name the user would believe the record lost.
    // A name without a folder is all the system could give; it says where to look.
    const wchar_t* where = kept.find(L'\\') != std::wstring::npos
                               ? L"棋譜は次のファイルに残っています:\n\n"
                               : L"棋譜は、保存先のファイルと同じフォルダー (リンクに保存したときは"
                                 L"リンク先と同じフォルダー) の一時ファイルに残っています:\n\n";
    text = L"保存を終えられませんでした。\n" + (where + kept) +
           L"\n\nこのファイルの名前を変えてお使いください。";
    icon = MB_ICONWARNING;
  }
  MessageBoxW(gChildGoban->Window(), text.c_str(), L"エラー", MB_OK | icon);
}
