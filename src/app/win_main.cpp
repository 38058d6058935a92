#include <windows.h>

#include <string>

#include "app/frame.h"
#include "platform/utf16.h"

// The UTF-16 entry point: the command line arrives with every character of a record's
// name, whatever the system's code page, and travels on as UTF-8.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR commandLine,
                    int showCommand) {
  std::string utf8 = platform::Utf8Of(commandLine);
  Frame frame(instance, previousInstance, &utf8[0], showCommand);
  return frame.Run();
}
