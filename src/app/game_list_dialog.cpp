#include "app/game_list_dialog.h"

#include <commctrl.h>

#include <string>

#include "app/game_rows.h"
#include "platform/trace.h"
#include "platform/utf16.h"
#include "resource.h"

GameListDialog* gGameListDialog = nullptr;

namespace {

struct ColumnLook {
  const wchar_t* title;
  int share;  // percent of the list's width
};

constexpr ColumnLook kColumns[kGameColumnCount] = {
    {L"番号", 7}, {L"黒", 19}, {L"白", 19}, {L"日付", 14}, {L"棋戦", 25}, {L"結果", 16}};

// The list view's window class lives in the common controls, which must be told to
// register it; version 5 is enough, so the manifest asks for no other.
void RegisterListViewClass() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
}

void AddColumns(HWND list) {
  RECT client{};
  GetClientRect(list, &client);
  const int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
  for (int column = 0; column < kGameColumnCount; ++column) {
    LVCOLUMNW look{};
    look.mask = LVCF_TEXT | LVCF_WIDTH;
    look.pszText = const_cast<wchar_t*>(kColumns[column].title);
    look.cx = width * kColumns[column].share / 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&look));
  }
}

std::string FilterText(HWND box) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  GetWindowTextW(box, &text[0], static_cast<int>(text.size()));
  return platform::Utf8Of(text.c_str());
}

// Copies text into the buffer the list gives, cut to its room.
void GiveText(const std::string& text, LVITEMW* item) {
  std::wstring wide;
  if (item->cchTextMax <= 0 || !platform::Utf16Of(text.c_str(), &wide)) return;
  lstrcpynW(item->pszText, wide.c_str(), item->cchTextMax);
}

}  // namespace

GameListDialog::GameListDialog(HINSTANCE instance, HWND owner,
                               const std::vector<GameSummary>& games)
    : instance_(instance), owner_(owner), games_(games) {
  gGameListDialog = this;
}

GameListDialog::~GameListDialog() {
  if (gGameListDialog == this) gGameListDialog = nullptr;
}

int GameListDialog::Show() {
  RegisterListViewClass();
  // UTF-16, so that the titles and the players' names read right under every code page.
  const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_GAME_LIST), owner_,
                                         GameListDialogProc, 0);
  return result == IDOK ? chosen_ : -1;
}

INT_PTR GameListDialog::OnInitDialog(HWND dialog) {
  platform::Trace("GameListDialog::OnInitDialog()\n");
  dialog_ = dialog;
  list_ = GetDlgItem(dialog, IDC_GAME_LIST);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  AddColumns(list_);
  ApplyFilter();
  SetFocus(list_);
  return FALSE;
}

void GameListDialog::ApplyFilter() {
  rows_ = GamesMatching(games_, FilterText(GetDlgItem(dialog_, IDC_GAME_FILTER)));
  // A virtual list: it asks for the texts of the rows it draws, whatever their number.
  SendMessageW(list_, LVM_SETITEMCOUNT, rows_.size(), 0);
  InvalidateRect(list_, nullptr, TRUE);
  if (!rows_.empty()) {
    LVITEMW first{};
    first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(list_, LVM_ENSUREVISIBLE, 0, FALSE);
  }
  EnableWindow(GetDlgItem(dialog_, IDOK), !rows_.empty());
  const std::wstring count = std::to_wstring(rows_.size()) + L" / " +
                             std::to_wstring(games_.size()) + L" 局";
  SetDlgItemTextW(dialog_, IDC_GAME_COUNT, count.c_str());
}

void GameListDialog::Choose(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  chosen_ = rows_[static_cast<std::size_t>(row)];
  EndDialog(dialog_, IDOK);
}

INT_PTR GameListDialog::OnCommand(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDOK:
      Choose(static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, -1, LVNI_SELECTED)));
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog_, IDCANCEL);
      return TRUE;
    case IDC_GAME_FILTER:
      if (HIWORD(wParam) == EN_CHANGE) ApplyFilter();
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR GameListDialog::OnNotify(const NMHDR* header) {
  if (header->idFrom != IDC_GAME_LIST) return FALSE;
  if (header->code == LVN_GETDISPINFOW) {
    auto* shown = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header));
    const int row = shown->item.iItem;
    if ((shown->item.mask & LVIF_TEXT) && row >= 0 && row < static_cast<int>(rows_.size())) {
      GiveText(GameColumnText(games_, rows_[static_cast<std::size_t>(row)], shown->item.iSubItem),
               &shown->item);
    }
    return TRUE;
  }
  if (header->code == NM_DBLCLK) {
    Choose(reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK GameListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return gGameListDialog->OnInitDialog(dialog);
    case WM_COMMAND: return gGameListDialog->OnCommand(wParam);
    case WM_NOTIFY: return gGameListDialog->OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    default: return FALSE;
  }
}
