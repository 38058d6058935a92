#pragma once
#include <windows.h>

#include <string>

#include "view/gdi_font.h"

// The information pane right of the board: the move reached, the game information and
// the comments, each in a read-only edit control, whose text screen readers read and
// users select and copy.
class ChildInfoPane {
 public:
  // Makes this the pane that gChildInfoPane designates; creates no window.
  ChildInfoPane();
  ~ChildInfoPane();

  // Follows the layout. While it has a pane: made at the first need, right of the board at
  // the pane's size, in the message font of the DPI, filled anew whenever it appears.
  // Otherwise hidden, and the keyboard focus, if it was inside, goes to the main window.
  void Resize();
  // After a record was read or a new game began: every text anew. Nothing while hidden.
  void ShowRecord();
  // After a step: the move line follows the current Position at once, the comments once
  // the board is painted and no key waits. A text is set only when it changes. Nothing
  // while hidden.
  void ShowPosition();

  // A read-only edit asks for its colours: those of a window's text.
  LRESULT OnCtlColorStatic(HDC dc);
  // The comments due are shown.
  LRESULT OnTimer();

  // The pane; nullptr until it is first shown.
  HWND Window() const { return window_; }
  // The move line, the game information and the comments.
  HWND MoveBox() const { return moveBox_; }
  HWND GameBox() const { return gameBox_; }
  HWND CommentBox() const { return commentBox_; }

 private:
  void Create();
  void Hide();
  // Takes the message font of dpi, unless it has it already.
  void TakeFont(int dpi);
  // Stacks the move line and the game information, each as high as its lines, and gives
  // the comments the rest.
  void Layout();
  // Sets box's text when it differs from *shown; true when it did.
  static bool SetText(HWND box, std::wstring* shown, std::wstring text);

  HWND window_ = nullptr;
  HWND moveBox_ = nullptr;
  HWND gameBox_ = nullptr;
  HWND commentBox_ = nullptr;
  bool shown_ = false;
  GdiFont font_;
  int fontDpi_ = 0;
  int lineHeight_ = 0;
  // The texts the boxes hold, and the move line's lines at the last layout.
  std::wstring moveText_;
  std::wstring gameText_;
  std::wstring commentText_;
  int moveLines_ = 0;
  // The comments of the Position shown, while they wait for the timer.
  std::wstring dueComments_;
  bool commentsDue_ = false;
};

// The pane of this run; set by its constructor.
extern ChildInfoPane* gChildInfoPane;

// The pane's procedure: each handled message goes to gChildInfoPane.
LRESULT CALLBACK ChildInfoPaneWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
