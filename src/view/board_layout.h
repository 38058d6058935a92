#pragma once
#include <windows.h>

#include "record/stone.h"

// The one place that knows how big the board is drawn, and keeps the View and Next-move
// menu check marks in step.
class BoardLayout {
 public:
  // View size and mode 0; becomes gBoardLayout.
  BoardLayout();
  ~BoardLayout();

  // Stores the main window, whose menu the two Set operations keep.
  void SetMainWindow(HWND mainWindow);
  // Stores the view size and moves the View check mark to it. Resizes nothing.
  void SetViewSize(int viewSize);
  // Stores the mode and moves the Next-move check mark to it.
  void SetNextMoveMode(int mode);
  // The view size, for direct assignment without menu work (start-up) and for reading.
  int& ViewSize() { return viewSize_; }

  // Cell size in pixels of the view size (48, 40, 32, 24, 16); 0 for any other value.
  int CellSize() const;
  // Bitmap id of the view size's tile sheet; 0 for any other value.
  int TileBitmapId() const;
  // Side of the square board window: 20 cells.
  int BoardSide() const;
  // Outer size of the main window whose client area holds the toolbar and the board.
  int OuterWidth() const;
  int OuterHeight() const;

  // The main window given to SetMainWindow.
  HWND MainWindow() const { return mainWindow_; }
  // The mode the Next-move menu shows.
  int MenuMode() const { return nextMoveMode_; }

 private:
  HWND mainWindow_ = nullptr;
  int viewSize_ = 0;
  int nextMoveMode_ = 0;
};

extern BoardLayout* gBoardLayout;
