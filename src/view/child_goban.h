#pragma once
#include <windows.h>

// The board window: draws the current Position from tile sheets, turns button releases
// into stone entry, and opens files dropped on it.
class ChildGoban {
 public:
  ChildGoban();
  ~ChildGoban();

  // Registers the class and creates and shows the board window.
  void Create();
  // Moves the window to (36, 0) at the board side of the current view size.
  void Resize();

  LRESULT OnPaint();
  LRESULT OnShowWindow();
  LRESULT OnLButtonUp(LPARAM position);
  LRESULT OnRButtonUp(LPARAM position);
  LRESULT OnDropFiles(HDROP drop);

  HWND Window() const { return window_; }

 private:
  HWND window_ = nullptr;
};

extern ChildGoban* gChildGoban;

LRESULT CALLBACK ChildGobanWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
