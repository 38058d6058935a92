#pragma once
#include <windows.h>

#include "record/stone.h"

// The next-move toolbar: four picture buttons, the current mode's drawn pressed.
class ChildToolbar {
 public:
  ChildToolbar();
  ~ChildToolbar();

  // Registers the class and creates and shows the toolbar window.
  void Create();
  // Moves the window to (0, 0), 36 wide and as high as the board.
  void Resize();
  // Makes mode the current mode; invalidates the two buttons whose look changes.
  void SetMode(NextMoveMode mode);
  // Sets the mode under (x, y), or the mode at the latest press when no button is there.
  void HitTest(unsigned x, unsigned y);

  LRESULT OnPaint();
  LRESULT OnMouseMove(LPARAM position);
  LRESULT OnLButtonDown(LPARAM position);
  LRESULT OnLButtonUp(LPARAM position);

  HWND Window() const { return window_; }
  NextMoveMode Mode() const { return mode_; }
  NextMoveMode ModeAtPress() const { return modeAtPress_; }

 private:
  HWND window_ = nullptr;
  NextMoveMode mode_ = ID_NEXT_BLACK;
  NextMoveMode modeAtPress_ = ID_NEXT_BLACK;
};

extern ChildToolbar* gChildToolbar;

LRESULT CALLBACK ChildToolbarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
