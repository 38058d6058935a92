#pragma once
#include <cstdint>

// An on-or-off choice of the user's, kept in the registry only once it has been stored
// there or changed: a user who never touches it finds the key as it always was.
struct OptionalSetting {
  bool on = false;
  bool stored = false;  // read from the registry, or changed in this run

  // The user's choice; from now on it is written back.
  void Choose(bool value) {
    on = value;
    stored = true;
  }
};

// The main window's top-left corner and the view size, carried from run to run in
// HKEY_CURRENT_USER\Software\Orvenda\Tavune, and the options of the View and File menus.
class WindowSettings {
 public:
  // Reads and validates the stored values.
  WindowSettings();
  // Writes the fields back.
  ~WindowSettings();

  // Reads the values; one missing or not a 4-byte REG_DWORD keeps its default. Then
  // resets each value out of range to its default.
  void Load();
  // Writes the three values as they stand, then each option that is stored. Returns the
  // registry status (0 on success).
  long Save();

  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t viewSize = 133;
  // "InfoPane": the information pane beside the board.
  OptionalSetting infoPane;
  // "LastMoveMark": a ring on the stone that made the Position shown.
  OptionalSetting lastMoveMark;
  // "MainLineOnly": SGF records read along their main line, one game of a collection.
  OptionalSetting mainLineOnly;
};

extern WindowSettings* gWindowSettings;
