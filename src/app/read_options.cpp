#include "app/read_options.h"

#include "app/frame.h"
#include "app/window_settings.h"

ReadOptions CurrentReadOptions() {
  ReadOptions options;
  options.notes = gWindowSettings->infoPane.on;
  options.mainLineOnly = gWindowSettings->mainLineOnly.on;
  options.game = options.mainLineOnly ? gFrame->RecordGame() : 0;
  return options;
}
