// Answers the end-to-end scripts' questions about Tavune from inside its Wine desktop, for
// as long as a script runs: where its windows stand, which control has the focus, what a
// dialog and the information pane read, the board and the pressed toolbar button as the
// screen shows them, and the stored settings. One process serves a whole script: a start
// under Wine costs a good part of a CPU-second, an answer a few milliseconds.
// Usage: probe.exe FOLDER TOOLBAR_BMP
// A question is a file FOLDER\ID.ask holding words; the answer goes to FOLDER\ID.txt, written
// beside it and renamed, so that a reader never sees half of it. The words, each adding lines:
//   windows            the windows' geometry, focus, dialog and pane ("found", "main", ...)
//   board              the 19 rows of the board, top first ("row X.O..."): X black, O white,
//                      . empty, ? neither
//   toolbar            "pressed MODE": the next-move mode (136 to 139) whose button is drawn
//                      pressed, 0 when none or several are
//   dark X Y W H BAND  "dark N...": the dark pixels of a screen rectangle, per band of BAND rows
//   forget             removes the stored settings
//   setting NAME       "setting VALUE": the stored REG_DWORD NAME, nothing after it when missing
//   running PROGRAM    "running N": the processes of this Wine server run from PROGRAM
//   end PROGRAM        "ended N": ends them, and waits for their end
//   quit               ends the probe
// A second probe for the same folder ends at once: one answers each question.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "view/bitmap_dc.h"

namespace {

// Texts are read in UTF-16 and written in UTF-8, so that they read the same whatever the
// code page the program runs under.
std::string Utf8Of(const wchar_t* text) {
  char utf8[4096] = "";
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

std::wstring WideOf(const std::string& utf8) {
  wchar_t wide[2048] = L"";
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, 2048);
  return wide;
}

void WriteRect(FILE* out, const char* name, HWND window) {
  RECT r = {};
  if (window) GetWindowRect(window, &r);
  std::fprintf(out, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// --- The windows ----------------------------------------------------------------------------

// The controls' texts are asked for within one budget. A program that does not answer for
// a while (a dialog still being made on a busy machine) cost up to 2 s a control, and the
// report came after the script had stopped waiting for it. Texts not read in time are
// counted on an "unanswered" line, and the script asks again.
constexpr DWORD kTextBudgetMs = 2000;
DWORD textDeadline = 0;
int unanswered = 0;

// The control's text, asked for within the budget; "" and counted when it was not given.
std::string ControlText(HWND control) {
  wchar_t text[1024] = L"";
  const LONG left = static_cast<LONG>(textDeadline - GetTickCount());
  // WM_GETTEXT, unlike GetWindowText, reaches an edit control of another process.
  if (left <= 0 || !SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                                        SMTO_ABORTIFHUNG, static_cast<UINT>(left), nullptr)) {
    ++unanswered;
  }
  return Utf8Of(text);
}

// Lists the children of a dialog: "control ID CLASS TEXT".
BOOL CALLBACK WriteControl(HWND control, LPARAM out) {
  char cls[64] = "";
  GetClassNameA(control, cls, sizeof cls);
  std::fprintf(reinterpret_cast<FILE*>(out), "control %d %s %s\n", GetDlgCtrlID(control), cls,
               ControlText(control).c_str());
  return TRUE;
}

// Lists the text boxes of the information pane: "panebox ID X Y W H TEXT", each line
// break of the text written as \n.
BOOL CALLBACK WritePaneBox(HWND box, LPARAM out) {
  std::string text;
  for (const char c : ControlText(box)) {
    text += c == '\n' ? "\\n" : c == '\r' ? "" : std::string(1, c);
  }
  RECT r = {};
  GetWindowRect(box, &r);
  std::fprintf(reinterpret_cast<FILE*>(out), "panebox %d %ld %ld %ld %ld %s\n", GetDlgCtrlID(box),
               r.left, r.top, r.right - r.left, r.bottom - r.top, text.c_str());
  return TRUE;
}

// The id of the control that has the keyboard focus in the window's thread; 0 for none.
int FocusIdOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!window || !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return 0;
  return info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0;
}

int CheckedIdOf(HMENU popup) {
  for (int i = 0; popup && i < GetMenuItemCount(popup); ++i) {
    if (GetMenuState(popup, i, MF_BYPOSITION) & MF_CHECKED) return GetMenuItemID(popup, i);
  }
  return 0;
}

HWND MainWindow() { return FindWindowA("TAVUNE", nullptr); }

HWND ChildOf(HWND main, const char* cls) {
  return main ? FindWindowExA(main, nullptr, cls, nullptr) : nullptr;
}

// A dialog that the main window owns (version, Open, Save As, message box, game list), once
// it shows. A dialog exists before its WM_INITDIALOG has filled it in: the game list's
// count was read empty there once the probe answered in milliseconds.
HWND DialogOf(HWND main) {
  HWND dialog = nullptr;
  while (main && (dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr) {
    if (GetWindow(dialog, GW_OWNER) == main && IsWindowVisible(dialog)) return dialog;
  }
  return nullptr;
}

void WriteDialog(FILE* out, HWND dialog) {
  wchar_t title[256] = L"";
  GetWindowTextW(dialog, title, 256);
  WriteRect(out, "dialog", dialog);
  std::fprintf(out, "dialogtitle %s\n", Utf8Of(title).c_str());
  textDeadline = GetTickCount() + kTextBudgetMs;
  EnumChildWindows(dialog, WriteControl, reinterpret_cast<LPARAM>(out));
}

void WriteWindows(FILE* out) {
  HWND main = MainWindow();
  unanswered = 0;
  std::fprintf(out, "found %d\n", main ? 1 : 0);
  WriteRect(out, "main", main);
  POINT origin = {0, 0};
  RECT client = {};
  if (main) {
    ClientToScreen(main, &origin);
    GetClientRect(main, &client);
  }
  std::fprintf(out, "client %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
  WriteRect(out, "board", ChildOf(main, "TAVUNEGOBAN"));
  WriteRect(out, "toolbar", ChildOf(main, "TAVUNETOOLBAR"));
  HWND pane = ChildOf(main, "TAVUNEINFO");
  if (pane && !IsWindowVisible(pane)) pane = nullptr;
  WriteRect(out, "pane", pane);
  textDeadline = GetTickCount() + kTextBudgetMs;
  if (pane) EnumChildWindows(pane, WritePaneBox, reinterpret_cast<LPARAM>(out));
  std::fprintf(out, "focus %d\n", FocusIdOf(main));
  // Under Wine a menu lives in its own process: these read 0 there, and the scripts read
  // the check marks from the screen ("dark").
  HMENU menu = main ? GetMenu(main) : nullptr;
  std::fprintf(out, "view %d\n", CheckedIdOf(menu ? GetSubMenu(menu, 1) : nullptr));
  std::fprintf(out, "next %d\n", CheckedIdOf(menu ? GetSubMenu(menu, 2) : nullptr));
  std::fprintf(out, "iconic %d\n", main && IsIconic(main) ? 1 : 0);
  if (HWND dialog = DialogOf(main)) WriteDialog(out, dialog);
  if (unanswered > 0) std::fprintf(out, "unanswered %d\n", unanswered);
}

// --- What the screen shows ------------------------------------------------------------------

// A rectangle of pixels, top row first, each 0x00RRGGBB.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;

  uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// A handle that CLOSE gives back at the end of the scope, unless it is null or
// INVALID_HANDLE_VALUE: DCs, GDI objects, kernel handles, file searches.
template <typename Handle, auto Close>
class Scoped {
 public:
  explicit Scoped(Handle handle) : handle_(handle) {}
  ~Scoped() {
    if (handle_ && reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE) Close(handle_);
  }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;

  Handle Get() const { return handle_; }

 private:
  Handle handle_;
};

int ReleaseScreenDc(HDC dc) { return ReleaseDC(nullptr, dc); }
using ScreenDc = Scoped<HDC, ReleaseScreenDc>;
using Bitmap = Scoped<HBITMAP, DeleteObject>;
using KernelHandle = Scoped<HANDLE, CloseHandle>;

// Where a rectangle has no pixels to read: off the screen. It reads as neither a stone nor
// the board.
constexpr uint32_t kNoPixel = 0xFF00FF;

// The pixels of a rectangle of SOURCE, copied into a 32-bit bitmap of the probe's own. Only
// the part inside LIMIT is copied (a BitBlt that reaches past the screen copies nothing
// under Wine); the rest reads kNoPixel.
Pixels PixelsOf(HDC source, const RECT& wanted, const RECT& limit) {
  Pixels pixels;
  const int width = wanted.right - wanted.left, height = wanted.bottom - wanted.top;
  if (width <= 0 || height <= 0) return pixels;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap copy(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc dc(source);
  if (!copy.Get() || !dc.Get()) return pixels;
  auto* first = static_cast<uint32_t*>(bits);
  std::fill(first, first + static_cast<size_t>(width) * height, kNoPixel);
  RECT shown = {};
  if (IntersectRect(&shown, &wanted, &limit)) {
    SelectionScope selection(dc.Get(), copy.Get());
    if (!BitBlt(dc.Get(), shown.left - wanted.left, shown.top - wanted.top, shown.right - shown.left,
                shown.bottom - shown.top, source, shown.left, shown.top, SRCCOPY)) {
      return pixels;
    }
  }
  GdiFlush();
  pixels.width = width;
  pixels.height = height;
  pixels.rgb.assign(first, first + static_cast<size_t>(width) * height);
  for (uint32_t& p : pixels.rgb) p &= 0xFFFFFF;
  return pixels;
}

// The screen as X shows it: the desktop with every window of every program in it.
Pixels ScreenPixels(int x, int y, int width, int height) {
  ScreenDc screen(GetDC(nullptr));
  const RECT wanted = {x, y, x + width, y + height};
  const RECT limit = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return screen.Get() ? PixelsOf(screen.Get(), wanted, limit) : Pixels{};
}

int Red(uint32_t p) { return (p >> 16) & 0xFF; }
int Green(uint32_t p) { return (p >> 8) & 0xFF; }
int Blue(uint32_t p) { return p & 0xFF; }

// X black, O white, . the board's wood, ? anything else.
char PointOf(uint32_t p) {
  const int r = Red(p), g = Green(p), b = Blue(p);
  const int most = std::max({r, g, b}), least = std::min({r, g, b});
  if (most < 90) return 'X';
  if (least > 150 && most - least < 40) return 'O';
  if (r > 150 && r - b > 60) return '.';
  return '?';
}

// Each point is judged by one pixel a fifth of a cell right of and below its centre: off
// the grid lines and the star-point dot, inside any stone. The board window has a cell of
// labels around the grid.
void WriteBoard(FILE* out) {
  RECT r = {};
  HWND board = ChildOf(MainWindow(), "TAVUNEGOBAN");
  if (board) GetWindowRect(board, &r);
  const int cell = (r.right - r.left) / 20, offset = cell * 7 / 10;
  const Pixels grid = ScreenPixels(r.left + cell, r.top + cell, 19 * cell, 19 * cell);
  for (int y = 0; y < 19; ++y) {
    std::string row;
    for (int x = 0; x < 19 && grid.width > 0; ++x) {
      row += PointOf(grid.At(x * cell + offset, y * cell + offset));
    }
    std::fprintf(out, "row %s\n", row.c_str());
  }
}

// The pressed images of the four buttons, side by side, from the toolbar's picture (their
// second row).
constexpr int kButton = 32;
Pixels pressedButtons;

void LoadPressedButtons(const wchar_t* path) {
  Bitmap picture(static_cast<HBITMAP>(
      LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  ScreenDc screen(GetDC(nullptr));
  MemoryDc dc(screen.Get());
  if (!picture.Get() || !dc.Get()) return;
  SelectionScope selection(dc.Get(), picture.Get());
  const RECT buttons = {0, kButton, 4 * kButton, 2 * kButton};
  pressedButtons = PixelsOf(dc.Get(), buttons, buttons);
}

// Whether button I on the screen, whose top-left pixel is at (LEFT, TOP), is its pressed
// image: no colour of any pixel more than 2 % away.
bool ShowsPressed(const Pixels& toolbar, int i, int left, int top) {
  if (pressedButtons.width == 0 || toolbar.width < left + kButton || toolbar.height < top + kButton) {
    return false;
  }
  for (int y = 0; y < kButton; ++y) {
    for (int x = 0; x < kButton; ++x) {
      const uint32_t a = toolbar.At(left + x, top + y), b = pressedButtons.At(i * kButton + x, y);
      if (std::abs(Red(a) - Red(b)) > 5 || std::abs(Green(a) - Green(b)) > 5 ||
          std::abs(Blue(a) - Blue(b)) > 5) {
        return false;
      }
    }
  }
  return true;
}

// The buttons stand 2 pixels inside the toolbar, one below the other, 34 pixels apart.
void WritePressed(FILE* out) {
  RECT r = {};
  HWND toolbar = ChildOf(MainWindow(), "TAVUNETOOLBAR");
  if (toolbar) GetWindowRect(toolbar, &r);
  const Pixels shown = ScreenPixels(r.left, r.top, r.right - r.left, r.bottom - r.top);
  int found = 0, count = 0;
  for (int i = 0; i < 4; ++i) {
    if (ShowsPressed(shown, i, 2, 2 + 34 * i)) {
      found = 136 + i;
      ++count;
    }
  }
  std::fprintf(out, "pressed %d\n", count == 1 ? found : 0);
}

// Pixels darker than 100 in every colour, counted per band of BAND rows.
void WriteDark(FILE* out, int x, int y, int width, int height, int band) {
  const Pixels shown = ScreenPixels(x, y, width, height);
  std::vector<int> counts(band > 0 ? (height + band - 1) / band : 0);
  for (int row = 0; row < shown.height && band > 0; ++row) {
    for (int column = 0; column < shown.width; ++column) {
      const uint32_t p = shown.At(column, row);
      if (Red(p) < 100 && Green(p) < 100 && Blue(p) < 100) ++counts[row / band];
    }
  }
  std::fprintf(out, "dark");
  for (const int n : counts) std::fprintf(out, " %d", n);
  std::fprintf(out, "\n");
}

// --- Settings and processes -----------------------------------------------------------------

const wchar_t kSettingsKey[] = L"Software\\Orvenda\\Tavune";

void WriteSetting(FILE* out, const std::string& name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, WideOf(name).c_str(), RRF_RT_REG_DWORD,
                   nullptr, &value, &size) == ERROR_SUCCESS) {
    std::fprintf(out, "setting %lu\n", value);
  } else {
    std::fprintf(out, "setting\n");
  }
}

// Calls VISIT with each process run from PROGRAM (a file name, compared without letter case).
void ForEachProcessOf(const std::string& program, const std::function<void(DWORD)>& visit) {
  const std::wstring name = WideOf(program);
  KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
       more = Process32NextW(snapshot.Get(), &entry)) {
    if (lstrcmpiW(entry.szExeFile, name.c_str()) == 0) visit(entry.th32ProcessID);
  }
}

void WriteRunning(FILE* out, const std::string& program) {
  int running = 0;
  ForEachProcessOf(program, [&](DWORD) { ++running; });
  std::fprintf(out, "running %d\n", running);
}

// Waits for each end, so that the next start finds none of their windows.
void WriteEnded(FILE* out, const std::string& program) {
  int ended = 0;
  ForEachProcessOf(program, [&](DWORD id) {
    KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (process.Get() && TerminateProcess(process.Get(), 1)) {
      WaitForSingleObject(process.Get(), 5000);
      ++ended;
    }
  });
  std::fprintf(out, "ended %d\n", ended);
}

// --- Questions and answers ------------------------------------------------------------------

// Answers the words of one question into OUT. False once told to quit.
bool Answer(std::istringstream& words, FILE* out) {
  std::string word, name;
  while (words >> word) {
    if (word == "windows") {
      WriteWindows(out);
    } else if (word == "board") {
      WriteBoard(out);
    } else if (word == "toolbar") {
      WritePressed(out);
    } else if (word == "dark") {
      int x = 0, y = 0, w = 0, h = 0, band = 0;
      words >> x >> y >> w >> h >> band;
      WriteDark(out, x, y, w, h, band);
    } else if (word == "forget") {
      RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
      RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
    } else if (word == "setting" && words >> name) {
      WriteSetting(out, name);
    } else if (word == "running" && words >> name) {
      WriteRunning(out, name);
    } else if (word == "end" && words >> name) {
      WriteEnded(out, name);
    } else if (word == "quit") {
      return false;
    }
  }
  return true;
}

std::string ContentsOf(const std::wstring& path) {
  std::string text;
  if (FILE* in = _wfopen(path.c_str(), L"rb")) {
    char buffer[512];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) text.append(buffer, n);
    std::fclose(in);
  }
  return text;
}

// Answers the question in FOLDER\NAME (ID.ask) into FOLDER\ID.txt. False once told to quit.
bool AnswerFile(const std::wstring& folder, const std::wstring& name) {
  const std::wstring ask = folder + L"\\" + name;
  const std::wstring answer = folder + L"\\" + name.substr(0, name.size() - 4) + L".txt";
  // The script writes the question in place: one whose line has not ended yet is taken
  // at a later look.
  const std::string question = ContentsOf(ask);
  if (question.empty() || question.back() != '\n') return true;
  std::istringstream words(question);
  DeleteFileW(ask.c_str());
  const std::wstring partial = answer + L".part";
  FILE* out = _wfopen(partial.c_str(), L"wb");
  if (!out) return true;
  const bool goOn = Answer(words, out);
  std::fclose(out);
  MoveFileExW(partial.c_str(), answer.c_str(), MOVEFILE_REPLACE_EXISTING);
  return goOn;
}

std::vector<std::wstring> QuestionsIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  Scoped<HANDLE, FindClose> search(FindFirstFileW((folder + L"\\*.ask").c_str(), &found));
  for (bool more = search.Get() != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search.Get(), &found)) {
    names.push_back(found.cFileName);
  }
  return names;
}

// Answers each question as its file appears: a change notification wakes the probe, and a
// look every 50 ms catches one that the notification missed.
void Serve(const std::wstring& folder) {
  const Scoped<HANDLE, FindCloseChangeNotification> change(
      FindFirstChangeNotificationW(folder.c_str(), FALSE,
                                   FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE));
  for (;;) {
    for (const std::wstring& name : QuestionsIn(folder)) {
      if (!AnswerFile(folder, name)) return;
    }
    if (change.Get() == INVALID_HANDLE_VALUE) {
      Sleep(10);
    } else if (WaitForSingleObject(change.Get(), 50) == WAIT_OBJECT_0) {
      FindNextChangeNotification(change.Get());
    }
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  // Held while the probe runs, shared with no one: a second probe cannot open it.
  const std::wstring lock = std::wstring(argv[1]) + L"\\probe.lock";
  KernelHandle held(CreateFileW(lock.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (held.Get() == INVALID_HANDLE_VALUE) return 4;
  LoadPressedButtons(argv[2]);
  Serve(argv[1]);
  return 0;
}
