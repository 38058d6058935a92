// Where the four next-move buttons sit and which one a pixel hits. Plain arithmetic,
// tested natively.
#include "view/toolbar_geometry.h"

namespace {

// Buttons follow at a pitch of 34, bands at 36, both from the 136 button down.
constexpr int kButtonPitch = 34;
constexpr int kFirstButtonTop = 2;

// 0..3 for the four modes in menu order, -1 for anything else.
int ModeIndex(NextMoveMode mode) {
  const int index = mode - ID_NEXT_BLACK;
  return index >= 0 && index < 4 ? index : -1;
}

}  // namespace

int ButtonTop(NextMoveMode mode) {
  const int index = ModeIndex(mode);
  return index < 0 ? -1 : kFirstButtonTop + index * kButtonPitch;
}

int BandTop(NextMoveMode mode) {
  const int index = ModeIndex(mode);
  return index < 0 ? -1 : index * kBandHeight;
}

int ButtonImageX(NextMoveMode mode) {
  const int index = ModeIndex(mode);
  return index < 0 ? -1 : index * kButtonSize;
}

NextMoveMode ToolbarModeAt(unsigned x, unsigned y, NextMoveMode fallback) {
  if (x < kButtonLeft || x >= kButtonRight) return fallback;
  for (NextMoveMode mode = ID_NEXT_BLACK; mode <= ID_NEXT_WHITE_MANY; ++mode) {
    const auto top = static_cast<unsigned>(ButtonTop(mode));
    if (y >= top && y < top + kButtonSize) return mode;
  }
  return fallback;
}
