#include "view_test_support.h"

#include <shlobj.h>  // DROPFILES

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "record/game_record.h"
#include "view/bitmap_dc.h"
#include "view/board_layout.h"
#include "view/child_toolbar.h"

namespace {

// Stores the settings the next start reads, and passes the command line through, so that
// it runs before the program starts in AppHarness's constructor.
const std::string& WithSettings(int viewSize, const std::string& commandLine) {
  DeleteSettingsKey();
  WriteSettingDword("WindowLeft", 0);
  WriteSettingDword("WindowTop", 0);
  WriteSettingDword("WindowSize", viewSize);
  return commandLine;
}

}  // namespace

ViewHarness::ViewHarness(int viewSize, const std::string& commandLine)
    : AppHarness(WithSettings(viewSize, commandLine)) {}

void ShowDiagram(AppHarness& app, const std::vector<std::string>& rows, int mode) {
  app.OnUiThread([&] {
    gGameRecord->Reset();
    Position& position = gGameRecord->Current();
    for (int y = 0; y < kBoardSize && y < static_cast<int>(rows.size()); ++y) {
      for (int x = 0; x < kBoardSize && x < static_cast<int>(rows[y].size()); ++x) {
        const char c = rows[y][x];
        position.Set(x, y, c == 'X' ? Black : c == 'O' ? White : Empty);
      }
    }
    position.nextMode = mode;
    gBoardLayout->SetNextMoveMode(mode);
    gChildToolbar->SetMode(mode);
    InvalidateRect(app.Board(), nullptr, FALSE);
  });
  app.PaintNow();
}

PixelBlock PixelBlock::Crop(int x, int y, int width, int height) const {
  PixelBlock part(width, height);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      part.pixels_[row * width + column] = At(x + column, y + row);
    }
  }
  return part;
}

bool PixelBlock::SamePart(int x, int y, const PixelBlock& other, int otherX, int otherY, int width,
                          int height) const {
  for (int row = 0; row < height; ++row) {
    const auto mine = pixels_.begin() + (y + row) * width_ + x;
    if (!std::equal(mine, mine + width, other.pixels_.begin() + (otherY + row) * other.width_ + otherX)) {
      return false;
    }
  }
  return true;
}

void PixelBlock::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  pixels_.resize(static_cast<std::size_t>(width) * height);
}

bool PixelBlock::operator==(const PixelBlock& other) const {
  return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A DIB section of one size selected into a memory DC, kept from one read to the next:
// under Wine a fresh section costs more than the copy, and the soak reads thousands.
class Capture {
 public:
  Capture(HDC like, int width, int height)
      : width_(width), height_(height), section_(MakeSection(like, width, height, &bits_)),
        dc_(like), selection_(dc_.Get(), section_) {}
  ~Capture() {
    if (section_) DeleteObject(section_);
  }
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;

  bool Fits(int width, int height) const { return width == width_ && height == height_; }

  // Copies the pixels of dc at (0, 0) into block, which takes the capture's size.
  void Read(HDC dc, PixelBlock* block) {
    BitBlt(dc_.Get(), 0, 0, width_, height_, dc, 0, 0, SRCCOPY);
    GdiFlush();
    block->Resize(width_, height_);
    const auto* bits = static_cast<const std::uint32_t*>(bits_);
    for (int i = 0; i < width_ * height_; ++i) block->Data()[i] = bits[i] & 0xFFFFFF;
  }

 private:
  static HBITMAP MakeSection(HDC like, int width, int height, void** bits) {
    BITMAPINFO info = TopDown32(width, height);
    return CreateDIBSection(like, &info, DIB_RGB_COLORS, bits, nullptr, 0);
  }

  int width_, height_;
  void* bits_ = nullptr;
  HBITMAP section_;
  MemoryDc dc_;
  SelectionScope selection_;
};

// Used on the program's thread only, one read at a time.
std::unique_ptr<Capture> lastCapture;

}  // namespace

PixelBlock WindowPixels(AppHarness& app, HWND window) {
  PixelBlock block;
  WindowPixels(app, window, &block);
  return block;
}

void WindowPixels(AppHarness& app, HWND window, PixelBlock* into) {
  app.OnUiThread([&] { ReadWindowPixels(window, into); });
}

void ReadWindowPixels(HWND window, PixelBlock* into) {
  RECT client{};
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  if (!lastCapture || !lastCapture->Fits(client.right, client.bottom)) {
    lastCapture.reset();
    lastCapture = std::make_unique<Capture>(dc, client.right, client.bottom);
  }
  lastCapture->Read(dc, into);
  ReleaseDC(window, dc);
}

PixelBlock ResourcePixels(int bitmapId) {
  HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId));
  if (!bitmap) return PixelBlock();
  BITMAP shape{};
  GetObjectA(bitmap, sizeof shape, &shape);
  PixelBlock block(shape.bmWidth, shape.bmHeight);
  BITMAPINFO info = TopDown32(shape.bmWidth, shape.bmHeight);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, shape.bmHeight, block.Data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  for (int i = 0; i < shape.bmWidth * shape.bmHeight; ++i) block.Data()[i] &= 0xFFFFFF;
  return block;
}

std::uint32_t PixelOf(COLORREF colour) {
  return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

void Daub(AppHarness& app, HWND window, const RECT& area, COLORREF colour) {
  app.OnUiThread([&] {
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
  });
}

RECT UpdateRectNow(HWND window) {
  RECT update{};
  if (!GetUpdateRect(window, &update, FALSE)) update = RECT{};
  return update;
}

bool UpdateRegionNowIs(HWND window, const std::vector<RECT>& parts) {
  HRGN actual = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(window, actual, FALSE);
  HRGN expected = CreateRectRgn(0, 0, 0, 0);
  for (const RECT& part : parts) {
    HRGN piece = CreateRectRgnIndirect(&part);
    CombineRgn(expected, expected, piece, RGN_OR);
    DeleteObject(piece);
  }
  const bool same = EqualRgn(actual, expected) != FALSE;
  DeleteObject(expected);
  DeleteObject(actual);
  return same;
}

bool NextMoveChecked(AppHarness& app, int id) {
  HMENU nextMove = GetSubMenu(GetMenu(app.Main()), 2);
  return (GetMenuState(nextMove, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void PrintTo(const RECT& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// ---- the import log ----

void* PatchImport(const char* dll, const char* function, void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
  for (; module->Name; ++module) {
    if (lstrcmpiA(reinterpret_cast<char*>(base + module->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) != 0) continue;
      DWORD protection = 0;
      VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &protection);
      void* before = reinterpret_cast<void*>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof(void*), protection, &protection);
      return before;
    }
  }
  return nullptr;
}

namespace {

std::mutex logMutex;
std::vector<ImportCall> calls;

void Record(const char* function, HDC dc, int x, int y, int width, int height) {
  HWND window = dc ? WindowFromDC(dc) : nullptr;
  std::lock_guard<std::mutex> lock(logMutex);
  calls.push_back(ImportCall{function, window, x, y, width, height});
}

using BitBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, DWORD);
using StretchBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, DWORD);
using PatBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, DWORD);
using DragFinishFn = void(WINAPI*)(HDROP);

BitBltFn realBitBlt = nullptr;
StretchBltFn realStretchBlt = nullptr;
PatBltFn realPatBlt = nullptr;
DragFinishFn realDragFinish = nullptr;

BOOL WINAPI LoggedBitBlt(HDC dc, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD op) {
  Record("BitBlt", dc, x, y, w, h);
  return realBitBlt(dc, x, y, w, h, src, sx, sy, op);
}

BOOL WINAPI LoggedStretchBlt(HDC dc, int x, int y, int w, int h, HDC src, int sx, int sy, int sw,
                             int sh, DWORD op) {
  Record("StretchBlt", dc, x, y, w, h);
  return realStretchBlt(dc, x, y, w, h, src, sx, sy, sw, sh, op);
}

BOOL WINAPI LoggedPatBlt(HDC dc, int x, int y, int w, int h, DWORD op) {
  Record("PatBlt", dc, x, y, w, h);
  return realPatBlt(dc, x, y, w, h, op);
}

void WINAPI LoggedDragFinish(HDROP drop) {
  Record("DragFinish", nullptr, 0, 0, 0, 0);
  realDragFinish(drop);
}

template <typename Fn>
void Redirect(const char* dll, const char* function, Fn logged, Fn* real) {
  *real = reinterpret_cast<Fn>(PatchImport(dll, function, reinterpret_cast<void*>(logged)));
}

template <typename Fn>
void Restore(const char* dll, const char* function, Fn* real) {
  if (*real) PatchImport(dll, function, reinterpret_cast<void*>(*real));
  *real = nullptr;
}

}  // namespace

ImportCallLog::ImportCallLog() {
  Clear();
  Redirect("gdi32.dll", "BitBlt", &LoggedBitBlt, &realBitBlt);
  Redirect("gdi32.dll", "StretchBlt", &LoggedStretchBlt, &realStretchBlt);
  Redirect("gdi32.dll", "PatBlt", &LoggedPatBlt, &realPatBlt);
  Redirect("shell32.dll", "DragFinish", &LoggedDragFinish, &realDragFinish);
}

ImportCallLog::~ImportCallLog() {
  Restore("gdi32.dll", "BitBlt", &realBitBlt);
  Restore("gdi32.dll", "StretchBlt", &realStretchBlt);
  Restore("gdi32.dll", "PatBlt", &realPatBlt);
  Restore("shell32.dll", "DragFinish", &realDragFinish);
}

std::vector<ImportCall> ImportCallLog::Calls() const {
  std::lock_guard<std::mutex> lock(logMutex);
  return calls;
}

std::vector<ImportCall> ImportCallLog::CallsOf(const std::string& function, HWND window) const {
  std::vector<ImportCall> found;
  for (const ImportCall& call : Calls()) {
    if (call.function == function && (window == nullptr || call.window == window)) {
      found.push_back(call);
    }
  }
  return found;
}

void ImportCallLog::Clear() {
  std::lock_guard<std::mutex> lock(logMutex);
  calls.clear();
}

HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& path : paths) list += path + L'\0';
  list += L'\0';
  const std::size_t bytes = list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), bytes);
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

HDROP MakeDrop(const std::vector<std::string>& paths) {
  std::vector<std::wstring> wide;
  for (const std::string& path : paths) wide.push_back(WideOf(path));
  return MakeDrop(wide);
}

std::wstring WideOf(const std::string& text) {
  wchar_t wide[1000] = {};
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 1000);
  return wide;
}

