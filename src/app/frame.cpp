#include "app/frame.h"

#include <algorithm>

#include "app/main_line_option.h"
#include "app/message_loop_exit.h"
#include "app/record_opening.h"
#include "view/paint_scope.h"
#include "app/record_display.h"
#include "app/shell_views.h"
#include "app/view_options.h"
#include "app/version_info.h"
#include "app/window_settings.h"
#include "platform/dpi_calls.h"
#include "platform/trace.h"
#include "record/game_record.h"
#include "resource.h"
#include "view/board_layout.h"
#include "view/child_goban.h"
#include "view/child_info_pane.h"
#include "view/child_toolbar.h"

Frame* gFrame = nullptr;

namespace {

// Exit codes of a run whose main window could not be made (3 is kMessageLoopFailed).
constexpr int kClassNotRegistered = 1;
constexpr int kWindowNotCreated = 2;
constexpr int kTextCapacity = 100;

// Keeps the shell's views attached to the record while both live.
class AttachedViews {
 public:
  AttachedViews(GameRecord& record, RecordViews& views) : record_(record) {
    record_.AttachViews(&views);
  }
  ~AttachedViews() { record_.AttachViews(nullptr); }
  AttachedViews(const AttachedViews&) = delete;
  AttachedViews& operator=(const AttachedViews&) = delete;

 private:
  GameRecord& record_;
};

// The main window class, unregistered when the run ends so that a later run in the same
// process can register it again.
class MainWindowClass {
 public:
  MainWindowClass(HINSTANCE instance, const char* name) : instance_(instance), name_(name) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = FrameWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN);
    windowClass.lpszClassName = name;
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    registered_ = RegisterClassExA(&windowClass) != 0;
  }
  ~MainWindowClass() {
    if (registered_) UnregisterClassA(name_, instance_);
  }
  MainWindowClass(const MainWindowClass&) = delete;
  MainWindowClass& operator=(const MainWindowClass&) = delete;

  bool Registered() const { return registered_; }

 private:
  HINSTANCE instance_;
  const char* name_;
  bool registered_ = false;
};

// Caption, system menu and minimise box only: no sizing border, no maximise box.
constexpr DWORD kMainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

HWND CreateMainWindow(HINSTANCE instance, const char* className, const char* title) {
  return CreateWindowExA(0, className, title, kMainWindowStyle, gWindowSettings->left,
                         gWindowSettings->top, gBoardLayout->OuterWidth(),
                         gBoardLayout->OuterHeight(), nullptr, nullptr, instance, nullptr);
}

// Windows keeps a window within about the screen's size; a board chosen larger than the
// screen is never cut short, whatever the scale, so the window may grow past it. Twice
// the outer size leaves room for a menu bar wrapped to several lines.
void AllowWholeBoard(MINMAXINFO* limits) {
  if (!gBoardLayout) return;
  limits->ptMaxTrackSize.x = std::max<LONG>(limits->ptMaxTrackSize.x, 2 * gBoardLayout->OuterWidth());
  limits->ptMaxTrackSize.y = std::max<LONG>(limits->ptMaxTrackSize.y, 2 * gBoardLayout->OuterHeight());
}

// The window whose accelerators a message's keys are: the main window's for a message to
// any window inside it, such as a text box that has the focus, so that the keys go on
// stepping through the record; a message to any other window keeps its own.
HWND AcceleratorTarget(HWND mainWindow, HWND addressee) {
  if (addressee != nullptr && mainWindow != nullptr && IsChild(mainWindow, addressee)) {
    return mainWindow;
  }
  return addressee;
}

// Runs until the quit message, or until GetMessageA fails; returns the exit code.
int RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
  MSG message{};
  BOOL got = 0;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
    HWND target = AcceleratorTarget(mainWindow, message.hwnd);
    if (TranslateAcceleratorA(target, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return MessageLoopExitCode(got, static_cast<int>(message.wParam));
}

}  // namespace

Frame::Frame(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
    : instance_(instance), commandLine_(commandLine), showCommand_(showCommand) {
  gFrame = this;
}

Frame::~Frame() {
  if (gFrame == this) gFrame = nullptr;
}

int Frame::Run() {
  VersionInfo versionInfo(instance_);
  versionInfo.Load();
  WindowSettings windowSettings;
  BoardLayout boardLayout;
  boardLayout.ViewSize() = windowSettings.viewSize;
  boardLayout.SetInfoPaneShown(windowSettings.infoPane.on);
  ChildGoban childGoban;
  ChildToolbar childToolbar;
  ChildInfoPane childInfoPane;
  GameRecord gameRecord;
  ShellViews shellViews;
  AttachedViews attachedViews(gameRecord, shellViews);
  // A collection to choose a game of waits for the window; anything else is read now.
  const std::string commandName = commandLine_ ? commandLine_ : "";
  startupGames_ = GamesToChooseFrom(commandName);
  if (startupGames_.empty()) ReadRecordShown(commandName, 0);
  ForgetSaveTarget();

  char title[kTextCapacity] = {};
  char className[kTextCapacity] = {};
  LoadStringA(instance_, IDS_TITLE, title, kTextCapacity);
  LoadStringA(instance_, IDR_MAIN, className, kTextCapacity);
  MainWindowClass mainWindowClass(instance_, className);
  if (!mainWindowClass.Registered()) return kClassNotRegistered;
  // Sized for the monitor it will open on; should Windows place it on another, it takes
  // that one's scale before it is shown.
  boardLayout.SetDpi(platform::DpiAtPoint(POINT{windowSettings.left, windowSettings.top}));
  // Board pictures the program ships no bitmap of are drawn while Windows makes the
  // window. The toolbar's are drawn at its first paint: a second drawing thread beside
  // Wine's work on two cores delayed the board's first paint at 200 % (13 ms in 20 starts).
  childGoban.DrawAhead();
  mainWindow_ = CreateMainWindow(instance_, className, title);
  if (!mainWindow_) return kWindowNotCreated;
  const int dpi = platform::DpiOfWindow(mainWindow_);
  if (dpi != boardLayout.Dpi()) {
    boardLayout.SetDpi(dpi);
    childGoban.DrawAhead();
    SetWindowPos(mainWindow_, nullptr, 0, 0, boardLayout.OuterWidth(), boardLayout.OuterHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  FitClientArea();

  const NextMoveMode mode = gameRecord.Current().nextMode;
  boardLayout.SetMainWindow(mainWindow_);
  boardLayout.SetViewSize(boardLayout.ViewSize());
  boardLayout.SetNextMoveMode(mode);
  ShowMainLineCheck(mainWindow_);
  ShowViewOptionChecks();
  ShowWindow(mainWindow_, showCommand_);
  childToolbar.SetMode(mode);
  if (!startupGames_.empty()) PostMessageW(mainWindow_, kOpenStartupCollection, 0, 0);

  HACCEL accelerators = LoadAcceleratorsA(instance_, MAKEINTRESOURCEA(IDR_MAIN));
  const int result = RunMessageLoop(mainWindow_, accelerators);
  mainWindow_ = nullptr;
  return result;
}

LRESULT Frame::OnShowWindow() {
  platform::Trace("Frame::OnShowWindow()\n");
  gChildGoban->Create();
  gChildToolbar->Create();
  gChildInfoPane->Resize();
  return 0;
}

LRESULT Frame::OnOpenStartupCollection() {
  platform::Trace("Frame::OnOpenStartupCollection()\n");
  const std::vector<GameSummary> games = std::move(startupGames_);
  startupGames_.clear();
  OpenRecordFile(commandLine_, games);
  return 0;
}

LRESULT Frame::OnClose() {
  platform::Trace("Frame::OnClose()\n");
  // A minimised window's rectangle is not where it will open again: keep what was read.
  if (IsIconic(mainWindow_)) return 0;
  RECT outer{};
  GetWindowRect(mainWindow_, &outer);
  gWindowSettings->left = outer.left;
  gWindowSettings->top = outer.top;
  gWindowSettings->viewSize = gBoardLayout->ViewSize();
  return 0;
}

LRESULT Frame::OnDestroy() {
  platform::Trace("Frame::OnDestroy()\n");
  PostQuitMessage(0);
  return 0;
}

LRESULT Frame::OnPaint() {
  platform::Trace("Frame::OnPaint()\n");
  PaintScope paint(mainWindow_);
  SelectionScope brush(paint.Dc(), GetSysColorBrush(COLOR_MENUBAR));
  const RECT& area = paint.Area();
  PatBlt(paint.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top,
         PATCOPY);
  return 0;
}

void Frame::ResizeToView() {
  gChildGoban->DrawAhead();
  RECT outer{};
  GetWindowRect(mainWindow_, &outer);
  MoveWindow(mainWindow_, outer.left, outer.top, gBoardLayout->OuterWidth(),
             gBoardLayout->OuterHeight(), TRUE);
  FitClientArea();
  gChildGoban->Resize();
  gChildToolbar->Resize();
  gChildInfoPane->Resize();
}

LRESULT Frame::OnDpiChanged(WPARAM wParam, const RECT* suggested) {
  platform::Trace("Frame::OnDpiChanged()\n");
  gBoardLayout->SetDpi(LOWORD(wParam));
  gChildGoban->DrawAhead();
  MoveWindow(mainWindow_, suggested->left, suggested->top, gBoardLayout->OuterWidth(),
             gBoardLayout->OuterHeight(), TRUE);
  FitClientArea();
  gChildGoban->Resize();
  gChildToolbar->Resize();
  gChildInfoPane->Resize();
  // The pictures change with the scale even where a window keeps its size. Before the
  // children exist there is nothing to repaint, and a null window would mean every window
  // of the desktop.
  if (HWND board = gChildGoban->Window()) InvalidateRect(board, nullptr, FALSE);
  if (HWND toolbar = gChildToolbar->Window()) InvalidateRect(toolbar, nullptr, FALSE);
  return 0;
}

LRESULT Frame::OnSize(WPARAM kind) {
  // SIZE_MAXSHOW and SIZE_MAXHIDE tell of another window.
  if (kind != SIZE_MINIMIZED && kind != SIZE_RESTORED && kind != SIZE_MAXIMIZED) return 0;
  // Only the first size after a minimise: FitClientArea's own resize must not fit again.
  const bool restored = minimised_ && kind != SIZE_MINIMIZED;
  minimised_ = kind == SIZE_MINIMIZED;
  if (restored) FitClientArea();
  return 0;
}

void Frame::OnMetricsChanged() { FitClientArea(); }

LRESULT Frame::OnGetDpiScaledSize(WPARAM wParam, SIZE* size) {
  platform::Trace("Frame::OnGetDpiScaledSize()\n");
  *size = gBoardLayout->OuterSizeAt(static_cast<int>(wParam));
  return TRUE;
}

void Frame::FitClientArea() {
  // A minimised window has no client area to measure: OnSize fits it once restored.
  if (!mainWindow_ || IsIconic(mainWindow_)) return;
  // Two rounds at most: a window resized to fit does not wrap its menu bar anew, since
  // only its height changes, unless the width had to change too.
  for (int round = 0; round < 2; ++round) {
    RECT client{};
    GetClientRect(mainWindow_, &client);
    const int wider = gBoardLayout->ClientWidth() - client.right;
    const int taller = gBoardLayout->BoardSide() - client.bottom;
    if (wider == 0 && taller == 0) return;
    RECT outer{};
    GetWindowRect(mainWindow_, &outer);
    SetWindowPos(mainWindow_, nullptr, 0, 0, outer.right - outer.left + wider,
                 outer.bottom - outer.top + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT CALLBACK FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      return gFrame->OnDestroy();
    case WM_PAINT:
      return gFrame->OnPaint();
    case WM_CLOSE:
      gFrame->OnClose();
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_SHOWWINDOW:
      return gFrame->OnShowWindow();
    case WM_COMMAND:
      return gFrame->OnCommand(wParam);
    case WM_DPICHANGED:
      return gFrame->OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam));
    case WM_SIZE:
      return gFrame->OnSize(wParam);
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
      gFrame->OnMetricsChanged();
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_GETDPISCALEDSIZE:
      return gFrame->OnGetDpiScaledSize(wParam, reinterpret_cast<SIZE*>(lParam));
    case WM_NCCREATE:
      platform::EnableNonClientScaling(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case kOpenStartupCollection:
      return gFrame->OnOpenStartupCollection();
    case WM_GETMINMAXINFO:
      DefWindowProcA(window, message, wParam, lParam);
      AllowWholeBoard(reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
