#pragma once
#include <windows.h>
#include <shellapi.h>  // HDROP

// The board window: draws the current Position from tile sheets, turns button releases
// into stone entry, and opens files dropped on it.
class ChildGoban {
 public:
  // Makes this the board that gChildGoban designates; creates no window.
  ChildGoban();
  ~ChildGoban();

  // Registers the class and creates and shows the board window.
  void Create();
  // Moves the window to (36, 0) at the board side of the current view size.
  void Resize();

  // Draws the label strips the update area reaches and every cell it meets.
  LRESULT OnPaint();
  // Traces only.
  LRESULT OnShowWindow();
  // Places a stone at the released pixel (the low and high words of position).
  LRESULT OnLButtonUp(LPARAM position);
  // Takes off the stone at the released pixel.
  LRESULT OnRButtonUp(LPARAM position);
  // Opens the first dropped file, shows its last Position whole, and frees the drop.
  LRESULT OnDropFiles(HDROP drop);

  // The board window; nullptr before Create.
  HWND Window() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// The board of this run; set by its constructor.
extern ChildGoban* gChildGoban;

// The board window's procedure: each handled message goes to gChildGoban and returns 0.
LRESULT CALLBACK ChildGobanWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
