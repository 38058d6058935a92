#include "drawing/info_pane_geometry.h"

#include <algorithm>

#include "drawing/dpi_scale.h"

namespace {

// Sixteen characters of a 12-pixel font, the margins, the comment box's frame and its
// scroll bar, at 96 DPI.
constexpr int kNarrowest96 = 256;
constexpr int kCellsWide = 8;
constexpr int kMargin96 = 6;

}  // namespace

InfoPaneGeometry InfoPaneGeometryAt(int cellSize, int dpi) {
  const int margin = ScaledPixels(kMargin96, dpi);
  return InfoPaneGeometry{std::max(ScaledPixels(kNarrowest96, dpi), kCellsWide * cellSize), margin,
                          margin};
}
