#pragma once
#include "record/stone.h"

// Where the next-move toolbar's four buttons sit at one display scale. At 96 DPI the
// toolbar is 36 pixels wide with 32 x 32 buttons at x 2..34, tops 2, 36, 70 and 104, and
// bands of 36 from the top; other scales take each length scaled.
struct ToolbarGeometry {
  int width;           // of the toolbar, and the height of one band
  int buttonLeft;      // first column of every button
  int buttonSize;      // a button is a square of this side
  int firstButtonTop;  // top of the 136 button
  int buttonPitch;     // from one button's top to the next one's

  // Right edge of every button, exclusive.
  int ButtonRight() const { return buttonLeft + buttonSize; }
  // Bottom of the last band: the rest of the toolbar holds no button.
  int BandsBottom() const { return 4 * width; }
  // Top of the button of mode, its exclusive bottom top + buttonSize; -1 for a value that
  // is none of the four modes.
  int ButtonTop(NextMoveMode mode) const;
  // Top of the band of mode, which is width high; -1 for no mode.
  int BandTop(NextMoveMode mode) const;
  // x of the mode's image in a sheet of the four images side by side; -1 for no mode.
  int ButtonImageX(NextMoveMode mode) const;
  // The mode whose button holds (x, y), or fallback when none does.
  NextMoveMode ModeAt(unsigned x, unsigned y, NextMoveMode fallback) const;
};

// The toolbar at dpi (96 for 100 %).
ToolbarGeometry ToolbarGeometryAt(int dpi);
