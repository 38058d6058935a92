#pragma once
#include <windows.h>

#include "drawing/info_pane_geometry.h"
#include "drawing/toolbar_geometry.h"
#include "record/stone.h"

// The one place that knows how big the board is drawn, at the display scale of the main
// window's monitor, and keeps the View and Next-move menu check marks in step.
class BoardLayout {
 public:
  // View size and mode 0, 96 DPI; becomes gBoardLayout.
  BoardLayout();
  ~BoardLayout();

  // Stores the main window, whose menu the two Set operations keep.
  void SetMainWindow(HWND mainWindow);
  // Stores the view size and moves the View check mark to it. Resizes nothing.
  void SetViewSize(int viewSize);
  // Stores the mode and moves the Next-move check mark to it.
  void SetNextMoveMode(int mode);
  // Checks or unchecks the menu entry of an on-or-off option.
  void SetOptionCheck(int id, bool on);
  // The view size, for direct assignment without menu work (start-up) and for reading.
  int& ViewSize() { return viewSize_; }
  // Stores the DPI of the main window's monitor, which every size below follows (96 is
  // 100 %; 0 or less counts as 96). Resizes nothing.
  void SetDpi(int dpi);
  int Dpi() const { return dpi_; }

  // Cell size in pixels: that of the view size (48, 40, 32, 24, 16 at 96 DPI) scaled to
  // the DPI; 0 for no view size.
  int CellSize() const;
  // Bitmap id of the shipped tile sheet of the cell size; 0 when the program ships none
  // of that size (it then draws the sheet) or for no view size.
  int TileBitmapId() const;
  // Side of the square board window: 20 cells.
  int BoardSide() const;
  // The toolbar left of the board: its width and where its buttons sit.
  ToolbarGeometry Toolbar() const;
  // Whether the information pane stands right of the board. Resizes nothing.
  void SetInfoPaneShown(bool shown) { infoPaneShown_ = shown; }
  bool InfoPaneShown() const { return infoPaneShown_; }
  // The information pane's width and margins; it is as high as the board.
  InfoPaneGeometry InfoPane() const;
  // Width of the main window's client area: the toolbar, the board and the pane if shown.
  int ClientWidth() const;
  // Outer size of the main window whose client area holds the toolbar, the board and the
  // pane if shown, from the frame, caption and one-line menu bar of the DPI.
  int OuterWidth() const;
  int OuterHeight() const;
  // The outer size the main window would take at another DPI.
  SIZE OuterSizeAt(int dpi) const;

  // The main window given to SetMainWindow.
  HWND MainWindow() const { return mainWindow_; }
  // The mode the Next-move menu shows.
  int MenuMode() const { return nextMoveMode_; }

 private:
  HWND mainWindow_ = nullptr;
  int viewSize_ = 0;
  int nextMoveMode_ = 0;
  int dpi_ = 96;
  bool infoPaneShown_ = false;
};

extern BoardLayout* gBoardLayout;
