#pragma once

// A rectangle in board-window pixels; right and bottom are exclusive. May be empty
// (right <= left or bottom <= top).
struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;
};

// The one way from the record to the windows. The shell attaches an implementation;
// with none attached the record works and tells nobody.
class RecordViews {
 public:
  virtual ~RecordViews() = default;
  // The Next-move menu check mark follows the mode.
  virtual void ShowMenuMode(int nextMode) = 0;
  // The toolbar's pressed button follows the mode.
  virtual void ShowToolbarMode(int nextMode) = 0;
  // Asks the board window to repaint rect, without erasing.
  virtual void RepaintBoard(const PixelRect& rect) = 0;
  // The board's cell size in pixels: 48, 40, 32, 24 or 16 at 96 DPI, scaled at others.
  virtual int CellSize() const = 0;
  // Tells the user that a record could not be saved. keptCopy is "" as a rule; otherwise
  // the old file may be gone and the record stands in the file keptCopy names (UTF-8): a
  // full path, or a name alone, of a file in the folder of the file being saved.
  virtual void ReportSaveFailure(const char* keptCopy) = 0;
  // The information pane follows the current Position: the last call of the cursor-move
  // notification.
  virtual void ShowNotes() {}
  // Whether the board marks the stone that made the current Position; the cells that
  // lose and gain the mark are then repainted with the changed ones.
  virtual bool MarksLastMove() const { return false; }
};
