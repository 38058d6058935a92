#pragma once
#include <windows.h>

// The display-scale calls of newer Windows versions, looked up once at run time so that
// the program still starts on Windows 7, which lacks them. Each falls back to what the
// older versions offer: there, the whole desktop has the one system DPI.
namespace platform {

// The DPI of the monitor the window is on (96 is 100 %).
int DpiOfWindow(HWND window);
// The DPI of the monitor that holds the screen point, or of the one nearest to it.
int DpiAtPoint(POINT point);
// A system metric (SM_CYMENU, ...) as a window at dpi has it; where Windows cannot tell,
// the metric of the system DPI.
int SystemMetricForDpi(int index, int dpi);
// Asks Windows to scale the window's caption and menu bar with its DPI, which the older
// per-monitor mode of Windows 10 before 1703 leaves unscaled; nothing where the call is
// missing or not needed. For the window's WM_NCCREATE.
void EnableNonClientScaling(HWND window);
// The system's message font as a window at dpi shows it; where Windows cannot tell, the
// font of the system DPI scaled to dpi.
LOGFONTW MessageFontAt(int dpi);

}  // namespace platform
