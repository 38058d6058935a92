#pragma once
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "app_harness.h"
#include "resource.h"

// Starts the program at the given view size (the WindowSize setting) at the screen's
// top-left corner, with no record.
class ViewHarness : public AppHarness {
 public:
  explicit ViewHarness(int viewSize, const std::string& commandLine = "");
};

// Makes the record a new game whose only Position holds the diagram (rows top to bottom,
// 'X' black, 'O' white, anything else empty; missing rows and columns empty) with the
// given mode; the menu and the toolbar follow, and the whole board is painted.
void ShowDiagram(AppHarness& app, const std::vector<std::string>& rows, int mode);

// The 32-bit pixels of a rectangle, top row first, as 0x00RRGGBB.
class PixelBlock {
 public:
  PixelBlock() = default;
  PixelBlock(int width, int height) : width_(width), height_(height), pixels_(width * height) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t At(int x, int y) const { return pixels_[y * width_ + x]; }
  std::uint32_t* Data() { return pixels_.data(); }
  // Takes the given size, keeping the memory it has: the contents are then undefined.
  void Resize(int width, int height);
  // The part at (x, y), width x height.
  PixelBlock Crop(int x, int y, int width, int height) const;
  // Whether the width x height part at (x, y) equals other's at (otherX, otherY), compared
  // in place: the soak compares every point after each of its thousands of actions.
  bool SamePart(int x, int y, const PixelBlock& other, int otherX, int otherY, int width,
                int height) const;
  bool operator==(const PixelBlock& other) const;
  bool operator!=(const PixelBlock& other) const { return !(*this == other); }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// What a window shows now in its client area (read through its DC, on its thread).
PixelBlock WindowPixels(AppHarness& app, HWND window);
// The same into a block whose memory is kept when it is large enough: under Wine a
// fresh block of a whole board costs more than the read.
void WindowPixels(AppHarness& app, HWND window, PixelBlock* into);
// The same, called on the window's thread.
void ReadWindowPixels(HWND window, PixelBlock* into);
// The whole bitmap resource id of the test program, which links the same resources.
PixelBlock ResourcePixels(int bitmapId);
// A COLORREF as a PixelBlock value.
std::uint32_t PixelOf(COLORREF colour);

// Paints the rectangle of the window's client area with a solid colour straight through
// its DC, without invalidating anything: a later paint shows whether it drew there.
void Daub(AppHarness& app, HWND window, const RECT& area, COLORREF colour);

// The update rectangle of the window; all zero when nothing waits to be painted. Call
// it on the program's thread, in the same step as what invalidated, before the program's
// loop gets the chance to paint.
RECT UpdateRectNow(HWND window);
// True when the window's update region is exactly the union of the rectangles; on the
// program's thread, like UpdateRectNow.
bool UpdateRegionNowIs(HWND window, const std::vector<RECT>& parts);

// A drop handle as the shell makes it: a DROPFILES header and a double-NUL-terminated
// list of UTF-16 paths. Whoever receives WM_DROPFILES frees it with DragFinish.
HDROP MakeDrop(const std::vector<std::wstring>& paths);
// The same for paths in the code page.
HDROP MakeDrop(const std::vector<std::string>& paths);
// A text in the code page as UTF-16.
std::wstring WideOf(const std::string& text);

// Whether the Next-move menu entry id carries the check mark.
bool NextMoveChecked(AppHarness& app, int id);

// One call of a GDI or shell function that the program made through its import table.
struct ImportCall {
  std::string function;
  HWND window;  // of the destination DC, nullptr for a memory DC or no DC
  int x, y, width, height;
};

// Records the program's calls of BitBlt, StretchBlt, PatBlt and DragFinish while it
// lives, by redirecting the entries of the program's own import table. The calls still
// happen.
class ImportCallLog {
 public:
  ImportCallLog();
  ~ImportCallLog();
  ImportCallLog(const ImportCallLog&) = delete;
  ImportCallLog& operator=(const ImportCallLog&) = delete;

  std::vector<ImportCall> Calls() const;
  // The calls of function whose destination is window (any window for nullptr).
  std::vector<ImportCall> CallsOf(const std::string& function, HWND window = nullptr) const;
  void Clear();
};

// Points the program's import of dll!function at replacement; returns what it pointed at
// before, or nullptr when the program does not import that function.
void* PatchImport(const char* dll, const char* function, void* replacement);

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
// How gtest prints a RECT.
void PrintTo(const RECT& r, std::ostream* out);
