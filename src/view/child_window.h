#pragma once
#include <windows.h>

// Registers the class named by string IDR_MAIN followed by classSuffix, with the
// procedure, the arrow cursor and the window-colour background, and creates a hidden
// child window of it in the main window at (x, 0), width x height. Returns its handle.
HWND CreateChildWindow(const char* classSuffix, WNDPROC procedure, DWORD exStyle, int x, int width,
                       int height);
