#pragma once
#include <cstdint>

// The main window's top-left corner and the view size, carried from run to run in
// HKEY_CURRENT_USER\Software\Orvenda\Tavune.
class WindowSettings {
 public:
  // Reads and validates the stored values.
  WindowSettings();
  // Writes the fields back.
  ~WindowSettings();

  // Reads the three values; one missing or not a 4-byte REG_DWORD keeps its default.
  // Then resets each value out of range to its default.
  void Load();
  // Writes the three values as they stand. Returns the registry status (0 on success).
  long Save();

  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t viewSize = 133;
};

extern WindowSettings* gWindowSettings;
