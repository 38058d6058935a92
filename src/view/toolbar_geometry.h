#pragma once
#include "record/stone.h"

// Layout of the next-move toolbar: 36 pixels wide, four 32 x 32 buttons at x 2..34.
constexpr int kToolbarWidth = 36;
constexpr int kButtonLeft = 2;
constexpr int kButtonRight = 34;
constexpr int kButtonSize = 32;
constexpr int kBandHeight = 36;
constexpr int kBandsBottom = 144;

// Top of the button of mode (2, 36, 70, 104), exclusive bottom is top + 32; -1 for a
// value that is none of the four modes.
int ButtonTop(NextMoveMode mode);
// Top of the band of mode (0, 36, 72, 108); a band is 36 high. -1 for no mode.
int BandTop(NextMoveMode mode);
// x of the mode's image in the toolbar bitmap (0, 32, 64, 96); -1 for no mode.
int ButtonImageX(NextMoveMode mode);
// The mode whose button holds (x, y), or fallback when none does.
NextMoveMode ToolbarModeAt(unsigned x, unsigned y, NextMoveMode fallback);
