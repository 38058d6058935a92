// Where the four next-move buttons sit and which one a pixel hits. Plain arithmetic,
// tested natively.
#include "drawing/toolbar_geometry.h"

#include "drawing/dpi_scale.h"

namespace {

// The 96-DPI lengths the others are scaled from.
constexpr int kWidth96 = 36;
constexpr int kButton96 = 32;
constexpr int kGap96 = 2;

// 0..3 for the four modes in menu order, -1 for anything else.
int ModeIndex(NextMoveMode mode) {
  const int index = mode - ID_NEXT_BLACK;
  return index >= 0 && index < 4 ? index : -1;
}

}  // namespace

ToolbarGeometry ToolbarGeometryAt(int dpi) {
  ToolbarGeometry g{};
  g.width = ScaledPixels(kWidth96, dpi);
  g.buttonSize = ScaledPixels(kButton96, dpi);
  // Each length is rounded by itself, so the margins left and right of a button may
  // differ by a pixel; the buttons fill the toolbar whatever the scale.
  g.buttonLeft = (g.width - g.buttonSize) / 2;
  const int gap = ScaledPixels(kGap96, dpi);
  g.firstButtonTop = gap;
  g.buttonPitch = g.buttonSize + gap;
  return g;
}

int ToolbarGeometry::ButtonTop(NextMoveMode mode) const {
  const int index = ModeIndex(mode);
  return index < 0 ? -1 : firstButtonTop + index * buttonPitch;
}

int ToolbarGeometry::BandTop(NextMoveMode mode) const {
  const int index = ModeIndex(mode);
  return index < 0 ? -1 : index * width;
}

int ToolbarGeometry::ButtonImageX(NextMoveMode mode) const {
  const int index = ModeIndex(mode);
  return index < 0 ? -1 : index * buttonSize;
}

NextMoveMode ToolbarGeometry::ModeAt(unsigned x, unsigned y, NextMoveMode fallback) const {
  if (x < static_cast<unsigned>(buttonLeft) || x >= static_cast<unsigned>(ButtonRight())) {
    return fallback;
  }
  for (NextMoveMode mode = ID_NEXT_BLACK; mode <= ID_NEXT_WHITE_MANY; ++mode) {
    const auto top = static_cast<unsigned>(ButtonTop(mode));
    if (y >= top && y < top + static_cast<unsigned>(buttonSize)) return mode;
  }
  return fallback;
}
