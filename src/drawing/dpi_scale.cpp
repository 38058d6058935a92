// The one rule by which every pixel size follows the display scale. Plain arithmetic,
// tested natively.
#include "drawing/dpi_scale.h"

int ScaledPixels(int pixels96, int dpi) {
  if (dpi <= 0) dpi = kBaseDpi;
  // Wide enough for any length times any DPI Windows reports.
  const long long scaled = static_cast<long long>(pixels96) * dpi;
  const long long half = kBaseDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kBaseDpi : -((-scaled + half) / kBaseDpi));
}
