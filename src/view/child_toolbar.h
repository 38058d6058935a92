#pragma once
#include <windows.h>

#include "drawing/toolbar_geometry.h"
#include "record/stone.h"
#include "view/drawn_bitmap.h"

// The next-move toolbar: four picture buttons, the current mode's drawn pressed.
class ChildToolbar {
 public:
  // Mode and mode at press 136; makes this the toolbar that gChildToolbar designates;
  // creates no window.
  ChildToolbar();
  ~ChildToolbar();

  // Registers the class and creates and shows the toolbar window.
  void Create();
  // Moves the window to (0, 0), as wide as the layout's toolbar and as high as the board.
  void Resize();
  // Makes mode the current mode; invalidates the two buttons whose look changes, and
  // nothing when mode is already current.
  void SetMode(NextMoveMode mode);
  // Sets the mode under (x, y), or the mode at the latest press when no button is there.
  void HitTest(unsigned x, unsigned y);

  // Draws the bands the update area meets, each with its button, and the fill below.
  LRESULT OnPaint();
  // While the toolbar holds the capture, the pressed look follows the pointer.
  LRESULT OnMouseMove(LPARAM position);
  // Starts a gesture: remembers the mode, takes the capture, shows the button hit.
  LRESULT OnLButtonDown(LPARAM position);
  // Ends a gesture: the mode under the pointer (or the one at press) goes to the menu
  // and to the current Position.
  LRESULT OnLButtonUp(LPARAM position);

  // The toolbar window; nullptr before Create.
  HWND Window() const { return window_; }
  // The mode whose button is drawn pressed.
  NextMoveMode Mode() const { return mode_; }
  // The mode that was current at the latest press; the hit test's fallback.
  NextMoveMode ModeAtPress() const { return modeAtPress_; }

 private:
  // Paints the bands the update area meets with the button images of images, a sheet of
  // the four images side by side at the geometry's button size, raised above pressed.
  void PaintButtons(HDC dc, const RECT& update, const ToolbarGeometry& g, HDC images);

  HWND window_ = nullptr;
  // The button sheet at a size the program ships none of, drawn at the first paint at
  // that size and kept while the size lasts.
  int drawnButtonSize_ = 0;
  DrawnBitmap drawnButtons_;
  NextMoveMode mode_ = ID_NEXT_BLACK;
  NextMoveMode modeAtPress_ = ID_NEXT_BLACK;
};

// The toolbar of this run; set by its constructor.
extern ChildToolbar* gChildToolbar;

// The toolbar's procedure: each handled message goes to gChildToolbar and returns 0.
LRESULT CALLBACK ChildToolbarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
