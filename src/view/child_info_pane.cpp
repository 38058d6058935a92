// The information pane: three read-only edit controls, filled from the record's notes.
#include "view/child_info_pane.h"

#include <algorithm>

#include "app/frame.h"
#include "platform/dpi_calls.h"
#include "resource.h"
#include "view/bitmap_dc.h"
#include "view/board_layout.h"
#include "view/child_goban.h"
#include "view/child_window.h"
#include "view/info_pane_texts.h"

ChildInfoPane* gChildInfoPane = nullptr;

namespace {

// Read-only and wrapped at the box's width (no ES_AUTOHSCROLL); the comments scroll.
constexpr DWORD kLinesStyle = ES_MULTILINE | ES_READONLY;
constexpr DWORD kCommentStyle = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL;
// The pane's one timer: comments due.
constexpr UINT_PTR kCommentsTimer = 1;

// A UTF-16 edit control, so that its text reads right under every code page and other
// programs (screen readers) get it whole with WM_GETTEXT.
HWND CreateBox(HWND pane, DWORD style, DWORD exStyle, int id) {
  return CreateWindowExW(exStyle, L"EDIT", L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, pane,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), gFrame->Instance(),
                         nullptr);
}

// The lines of box as it wraps them at its present width; 0 for no text.
int LineCountOf(HWND box) {
  if (GetWindowTextLengthW(box) == 0) return 0;
  return static_cast<int>(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
}

// Gives box the width and the height of its lines, at most maxHeight; returns its bottom.
int FitToLines(HWND box, int left, int top, int width, int maxHeight, int lineHeight) {
  // Wrapped at the final width first: the line count depends on it.
  MoveWindow(box, left, top, width, maxHeight, FALSE);
  const int height = std::min(maxHeight, LineCountOf(box) * lineHeight);
  MoveWindow(box, left, top, width, height, TRUE);
  return top + height;
}

}  // namespace

ChildInfoPane::ChildInfoPane() { gChildInfoPane = this; }

ChildInfoPane::~ChildInfoPane() {
  if (gChildInfoPane == this) gChildInfoPane = nullptr;
}

void ChildInfoPane::Create() {
  window_ = CreateChildWindow("INFO", ChildInfoPaneWndProc, 0, 0, 0, 0);
  moveBox_ = CreateBox(window_, kLinesStyle, 0, IDC_PANE_MOVE);
  gameBox_ = CreateBox(window_, kLinesStyle, 0, IDC_PANE_GAME);
  commentBox_ = CreateBox(window_, kCommentStyle, WS_EX_CLIENTEDGE, IDC_PANE_COMMENT);
}

void ChildInfoPane::Resize() {
  if (!gBoardLayout->InfoPaneShown()) {
    Hide();
    return;
  }
  // Made with the board, when the main window is first shown; a change of scale before
  // that finds nothing to resize.
  if (!window_ && !gChildGoban->Window()) return;
  if (!window_) Create();
  const int side = gBoardLayout->BoardSide();
  MoveWindow(window_, gBoardLayout->Toolbar().width + side, 0, gBoardLayout->InfoPane().width,
             side, TRUE);
  TakeFont(gBoardLayout->Dpi());
  if (shown_) {
    Layout();
    return;
  }
  // Loads and steps while it was hidden changed nothing in it.
  shown_ = true;
  ShowRecord();
  ShowWindow(window_, SW_SHOW);
}

void ChildInfoPane::Hide() {
  if (!shown_) return;
  // Keys sent to a hidden box would still step, but Ctrl+C would copy what is not seen.
  const HWND focus = GetFocus();
  if (focus == window_ || IsChild(window_, focus)) SetFocus(gFrame->MainWindow());
  ShowWindow(window_, SW_HIDE);
  KillTimer(window_, kCommentsTimer);
  commentsDue_ = false;
  shown_ = false;
}

void ChildInfoPane::TakeFont(int dpi) {
  if (dpi == fontDpi_) return;
  font_.Assign(platform::MessageFontAt(dpi));
  fontDpi_ = dpi;
  for (HWND box : {moveBox_, gameBox_, commentBox_}) {
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  }
  MemoryDc measure(nullptr);
  SelectionScope selection(measure.Get(), font_.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(measure.Get(), &metrics);
  lineHeight_ = metrics.tmHeight;
}

void ChildInfoPane::Layout() {
  const InfoPaneGeometry g = gBoardLayout->InfoPane();
  const int width = g.width - 2 * g.margin;
  const int bottom = gBoardLayout->BoardSide() - g.margin;
  // The game information takes at most half the pane; the comments keep the rest.
  const int half = (bottom - g.margin) / 2;
  int top = FitToLines(moveBox_, g.margin, g.margin, width, half, lineHeight_);
  moveLines_ = LineCountOf(moveBox_);
  if (moveLines_ > 0) top += g.gap;
  top = FitToLines(gameBox_, g.margin, top, width, half, lineHeight_);
  if (LineCountOf(gameBox_) > 0) top += g.gap;
  MoveWindow(commentBox_, g.margin, top, width, std::max(0, bottom - top), TRUE);
}

void ChildInfoPane::ShowRecord() {
  if (!shown_) return;
  SetText(gameBox_, &gameText_, GameLinesText());
  SetText(moveBox_, &moveText_, MoveLineText());
  KillTimer(window_, kCommentsTimer);
  commentsDue_ = false;
  SetText(commentBox_, &commentText_, CommentText());
  Layout();
}

void ChildInfoPane::ShowPosition() {
  if (!shown_) return;
  // The move line changes at every step, its height hardly ever.
  if (SetText(moveBox_, &moveText_, MoveLineText()) && LineCountOf(moveBox_) != moveLines_) {
    Layout();
  }
  // Under Wine an edit control with a scroll bar takes 10 to 40 ms to lay out a comment of
  // a few hundred Japanese characters. The comments wait for the timer, which comes when
  // the board has been painted and no key waits: steps taken in a row lay out only the
  // last Position's comments.
  dueComments_ = CommentText();
  if (commentsDue_ || dueComments_ == commentText_) return;
  SetTimer(window_, kCommentsTimer, USER_TIMER_MINIMUM, nullptr);
  commentsDue_ = true;
}

bool ChildInfoPane::SetText(HWND box, std::wstring* shown, std::wstring text) {
  if (text == *shown) return false;
  *shown = std::move(text);
  SetWindowTextW(box, shown->c_str());
  return true;
}

LRESULT ChildInfoPane::OnTimer() {
  KillTimer(window_, kCommentsTimer);
  commentsDue_ = false;
  SetText(commentBox_, &commentText_, std::move(dueComments_));
  return 0;
}

LRESULT ChildInfoPane::OnCtlColorStatic(HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  // A system brush: never deleted.
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CALLBACK ChildInfoPaneWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC: return gChildInfoPane->OnCtlColorStatic(reinterpret_cast<HDC>(wParam));
    case WM_TIMER: return gChildInfoPane->OnTimer();
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}
