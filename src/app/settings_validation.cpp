#include "app/settings_validation.h"

#include "drawing/view_size_table.h"

namespace {

// At least this much of the window's top-left area stays on the screen.
constexpr int kVisibleMargin = 100;

bool IsViewSize(std::int32_t value) {
  for (ViewSize each : kViewSizes) {
    if (each == value) return true;
  }
  return false;
}

std::int32_t WithinScreen(std::int32_t coordinate, int screenExtent) {
  return coordinate < 0 || coordinate >= screenExtent - kVisibleMargin ? 0 : coordinate;
}

}  // namespace

void ValidateSettings(StoredSettings& settings, int screenWidth, int screenHeight) {
  if (!IsViewSize(settings.viewSize)) settings.viewSize = ID_VIEW_MIDDLE;
  settings.left = WithinScreen(settings.left, screenWidth);
  settings.top = WithinScreen(settings.top, screenHeight);
}
