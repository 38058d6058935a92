#include <windows.h>

#include "app/frame.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand) {
  Frame frame(instance, previousInstance, commandLine, showCommand);
  return frame.Run();
}
