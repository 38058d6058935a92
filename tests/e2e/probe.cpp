// Reports where Tavune's windows stand on the screen, which menu entries are checked, which
// control has the focus and what a screen reader reads in the information pane and a dialog,
// so that the end-to-end scripts can click by the program's own geometry.
// Usage: probe.exe OUTPUT_FILE [MAIN_WINDOW_CLASS]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// Texts are read in UTF-16 and written in UTF-8, so that they read the same whatever the
// code page the program runs under.
std::string Utf8Of(const wchar_t* text) {
  char utf8[4096] = "";
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

void WriteRect(FILE* out, const char* name, HWND window) {
  RECT r = {};
  if (window) GetWindowRect(window, &r);
  std::fprintf(out, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// The controls' texts are asked for within one budget. A program that does not answer for
// a while (a dialog still being made on a busy machine) cost up to 2 s a control, and the
// report came after the script had stopped waiting for it. Texts not read in time are
// counted on an "unanswered" line, and the script probes again.
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* mainClass = argc > 2 ? argv[2] : "TAVUNE";
  HWND main = FindWindowA(mainClass, nullptr);
  // Written beside the target and renamed, so that a reader never sees half of it.
  char partial[MAX_PATH + 8];
  std::snprintf(partial, sizeof partial, "%s.part", argv[1]);
  FILE* out = std::fopen(partial, "w");
  if (!out) return 3;
  std::fprintf(out, "found %d\n", main ? 1 : 0);
  WriteRect(out, "main", main);
  POINT origin = {0, 0};
  RECT client = {};
  if (main) {
    ClientToScreen(main, &origin);
    GetClientRect(main, &client);
  }
  std::fprintf(out, "client %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
  WriteRect(out, "board", main ? FindWindowExA(main, nullptr, "TAVUNEGOBAN", nullptr) : nullptr);
  WriteRect(out, "toolbar", main ? FindWindowExA(main, nullptr, "TAVUNETOOLBAR", nullptr) : nullptr);
  HWND pane = main ? FindWindowExA(main, nullptr, "TAVUNEINFO", nullptr) : nullptr;
  if (pane && !IsWindowVisible(pane)) pane = nullptr;
  WriteRect(out, "pane", pane);
  textDeadline = GetTickCount() + kTextBudgetMs;
  if (pane) EnumChildWindows(pane, WritePaneBox, reinterpret_cast<LPARAM>(out));
  std::fprintf(out, "focus %d\n", FocusIdOf(main));
  HMENU menu = main ? GetMenu(main) : nullptr;
  std::fprintf(out, "view %d\n", CheckedIdOf(menu ? GetSubMenu(menu, 1) : nullptr));
  std::fprintf(out, "next %d\n", CheckedIdOf(menu ? GetSubMenu(menu, 2) : nullptr));
  std::fprintf(out, "iconic %d\n", main && IsIconic(main) ? 1 : 0);
  // A dialog that the main window owns (version, Open, Save As, message box), if one is open.
  HWND dialog = nullptr;
  while (main && (dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr) {
    if (GetWindow(dialog, GW_OWNER) == main) break;
  }
  if (dialog) {
    wchar_t title[256] = L"";
    GetWindowTextW(dialog, title, 256);
    WriteRect(out, "dialog", dialog);
    std::fprintf(out, "dialogtitle %s\n", Utf8Of(title).c_str());
    textDeadline = GetTickCount() + kTextBudgetMs;
    EnumChildWindows(dialog, WriteControl, reinterpret_cast<LPARAM>(out));
    if (unanswered > 0) std::fprintf(out, "unanswered %d\n", unanswered);
  }
  std::fclose(out);
  MoveFileExA(partial, argv[1], MOVEFILE_REPLACE_EXISTING);
  return main ? 0 : 1;
}
