#include "platform/dpi_calls.h"

#include <string>

namespace platform {

namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetDpiForSystemCall = UINT(WINAPI*)();
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
using EnableNonClientDpiScalingCall = BOOL(WINAPI*)(HWND);
using SystemParametersInfoForDpiCall = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
// MDT_EFFECTIVE_DPI of GetDpiForMonitor, the scale the user chose for the monitor.
constexpr int kEffectiveDpi = 0;
using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// Casts a looked-up address to the call's type; nullptr stays nullptr.
template <typename Call>
Call Lookup(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

// Loaded by its full path in the system folder, never from the program's own folder or
// the current one, where anybody could put a file of that name.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

struct DpiCalls {
  GetDpiForWindowCall getDpiForWindow;
  GetDpiForSystemCall getDpiForSystem;
  GetSystemMetricsForDpiCall getSystemMetricsForDpi;
  EnableNonClientDpiScalingCall enableNonClientDpiScaling;
  GetDpiForMonitorCall getDpiForMonitor;
  SystemParametersInfoForDpiCall systemParametersInfoForDpi;
};

// Looked up at the first use; the libraries stay loaded for the life of the program.
const DpiCalls& Calls() {
  static const DpiCalls calls = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    HMODULE shcore = LoadSystemLibrary(L"shcore.dll");
    return DpiCalls{Lookup<GetDpiForWindowCall>(user32, "GetDpiForWindow"),
                    Lookup<GetDpiForSystemCall>(user32, "GetDpiForSystem"),
                    Lookup<GetSystemMetricsForDpiCall>(user32, "GetSystemMetricsForDpi"),
                    Lookup<EnableNonClientDpiScalingCall>(user32, "EnableNonClientDpiScaling"),
                    Lookup<GetDpiForMonitorCall>(shcore, "GetDpiForMonitor"),
                    Lookup<SystemParametersInfoForDpiCall>(user32, "SystemParametersInfoForDpi")};
  }();
  return calls;
}

// The one DPI of the whole desktop, as every Windows version tells it.
int SystemDpi() {
  if (Calls().getDpiForSystem) return static_cast<int>(Calls().getDpiForSystem());
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int DpiOfMonitor(HMONITOR monitor) {
  UINT x = 0;
  UINT y = 0;
  if (monitor && Calls().getDpiForMonitor &&
      SUCCEEDED(Calls().getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0) {
    return static_cast<int>(x);
  }
  return SystemDpi();
}

}  // namespace

int DpiOfWindow(HWND window) {
  if (Calls().getDpiForWindow) {
    const UINT dpi = Calls().getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return DpiOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int DpiAtPoint(POINT point) { return DpiOfMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

int SystemMetricForDpi(int index, int dpi) {
  if (Calls().getSystemMetricsForDpi) {
    return Calls().getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  }
  return GetSystemMetrics(index);
}

void EnableNonClientScaling(HWND window) {
  if (Calls().enableNonClientDpiScaling) Calls().enableNonClientDpiScaling(window);
}

LOGFONTW MessageFontAt(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (Calls().systemParametersInfoForDpi &&
      Calls().systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                         static_cast<UINT>(dpi))) {
    return metrics.lfMessageFont;
  }
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
  return metrics.lfMessageFont;
}

}  // namespace platform
