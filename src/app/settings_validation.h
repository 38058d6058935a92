#pragma once
#include <cstdint>

// Stored settings as read, each field judged by itself.
struct StoredSettings {
  std::int32_t left;
  std::int32_t top;
  std::int32_t viewSize;
};

// Resets each field that is out of range to its default: the view size to 133 unless it is
// one of the five sizes; left to 0 unless 0 <= left < screenWidth - 100; top likewise.
void ValidateSettings(StoredSettings& settings, int screenWidth, int screenHeight);
