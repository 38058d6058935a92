// The class registration and window creation that the board window and the toolbar share.
#include "view/child_window.h"

#include <cstring>

#include "app/frame.h"
#include "resource.h"

namespace {

// Room for a class name: the string resource plus the suffix, terminator included.
constexpr int kClassNameCapacity = 100;

void RegisterChildClass(HINSTANCE instance, const char* className, WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  // The structure's own size: a hard-coded 48 is the 32-bit layout and makes a 64-bit
  // registration fail.
  windowClass.cbSize = sizeof(WNDCLASSEXA);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = className;
  RegisterClassExA(&windowClass);
}

}  // namespace

HWND CreateChildWindow(const char* classSuffix, WNDPROC procedure, DWORD exStyle, int x, int width,
                       int height) {
  HINSTANCE instance = gFrame->Instance();
  char className[kClassNameCapacity] = {};
  LoadStringA(instance, IDR_MAIN, className, kClassNameCapacity);
  const size_t used = std::strlen(className);
  std::strncat(className, classSuffix, kClassNameCapacity - 1 - used);

  RegisterChildClass(instance, className, procedure);
  return CreateWindowExA(exStyle, className, nullptr, WS_CHILD, x, 0, width, height,
                         gFrame->MainWindow(), nullptr, instance, nullptr);
}
