// Start-up and shutdown of the main window: the order of the steps, the first run, the
// window's geometry at every view size, its resources, and runs that cannot make a window.
#include <gtest/gtest.h>

#include <mutex>

#include "app/frame.h"
#include "app/version_info.h"
#include "app/window_settings.h"
#include "frame_test_support.h"
#include "platform/trace.h"
#include "record/game_record.h"
#include "resource.h"
#include "view/board_layout.h"
#include "view/child_goban.h"
#include "view/child_toolbar.h"

namespace {

// What the program looked like when the main window's show handler and destroy handler
// ran, taken from inside the trace tap on the program's thread.
struct StartupSnapshot {
  std::vector<std::string> texts;
  bool shown = false;
  std::vector<std::string> viewChecked, nextChecked;
  bool visibleAtShow = true, boardExistedAtShow = true;
  int toolbarModeAtShow = 0, recordCountAtShow = 0;
  std::wstring productNameAtShow;
  bool keyExistedAtDestroy = true;
};

std::mutex snapshotMutex;
StartupSnapshot* snapshot = nullptr;

void TakeSnapshot(const char* text) {
  std::lock_guard<std::mutex> lock(snapshotMutex);
  if (!snapshot) return;
  snapshot->texts.emplace_back(text);
  const std::string t = text;
  if (t == "Frame::OnShowWindow()\n") {
    HWND main = gFrame->MainWindow();
    snapshot->shown = true;
    snapshot->viewChecked = CheckedLabels(main, 1);
    snapshot->nextChecked = CheckedLabels(main, 2);
    snapshot->visibleAtShow = IsWindowVisible(main);
    snapshot->boardExistedAtShow = gChildGoban->Window() != nullptr;
    snapshot->toolbarModeAtShow = gChildToolbar->Mode();
    snapshot->recordCountAtShow = gGameRecord->mainCount;
    snapshot->productNameAtShow = gVersionInfo->ProductName();
  } else if (t == "Frame::OnDestroy()\n") {
    DWORD value = 0;
    snapshot->keyExistedAtDestroy = ReadSettingDword("WindowSize", &value);
  }
}

class SnapshotTap {
 public:
  explicit SnapshotTap(StartupSnapshot* into) {
    snapshot = into;
    platform::SetTraceTap(&TakeSnapshot);
  }
  ~SnapshotTap() {
    platform::SetTraceTap(nullptr);
    std::lock_guard<std::mutex> lock(snapshotMutex);
    snapshot = nullptr;
  }
};

// Three moves, black last: the last Position's mode is white-first.
const char kBlackLast[] = "(;GM[1]SZ[19];B[pd];W[dd];B[pp])";

}  // namespace

TEST(FrameStartup, FirstRunOpensAtTheCornerInTheMiddleViewAndStoresItsSettings) {
  DeleteSettingsKey();
  {
    AppHarness app;
    RECT outer = ScreenRect(app.Main());
    EXPECT_EQ(0, outer.left);
    EXPECT_EQ(0, outer.top);
    SIZE client = ClientSize(app.Main());
    EXPECT_EQ(36 + 640, client.cx);
    EXPECT_EQ(640, client.cy);
    EXPECT_EQ(std::vector<std::string>{"中 (&M)"}, CheckedLabels(app.Main(), 1));
    EXPECT_EQ(std::vector<std::string>{"黒から交互 (&K)"}, CheckedLabels(app.Main(), 2));
    EXPECT_EQ(ID_NEXT_BLACK, gChildToolbar->Mode());
    EXPECT_EQ("Tavune", TextOf(app.Main()));
    EXPECT_EQ(0, app.Close());
  }
  DWORD left = 1, top = 1, size = 0;
  ASSERT_TRUE(ReadSettingDword("WindowLeft", &left));
  ASSERT_TRUE(ReadSettingDword("WindowTop", &top));
  ASSERT_TRUE(ReadSettingDword("WindowSize", &size));
  EXPECT_EQ(0u, left);
  EXPECT_EQ(0u, top);
  EXPECT_EQ(static_cast<DWORD>(ID_VIEW_MIDDLE), size);
}

TEST(FrameStartup, StepsRunInOrderFromRecordToMenuToWindowsToToolbarToRegistry) {
  DeleteSettingsKey();
  const std::string record = MakeRecordFile("startup", kBlackLast);
  StartupSnapshot seen;
  {
    SnapshotTap tap(&seen);
    AppHarness app("\"" + record + "\"");
    // The toolbar is told the record's mode only after the window was shown.
    EXPECT_EQ(ID_NEXT_WHITE, gChildToolbar->Mode());
    EXPECT_EQ(0, app.Close());
  }
  ASSERT_TRUE(seen.shown);
  EXPECT_EQ(L"Tavune", seen.productNameAtShow);
  EXPECT_EQ(4, seen.recordCountAtShow);
  EXPECT_EQ(std::vector<std::string>{"中 (&M)"}, seen.viewChecked);
  EXPECT_EQ(std::vector<std::string>{"白から交互 (&S)"}, seen.nextChecked);
  EXPECT_FALSE(seen.visibleAtShow);
  EXPECT_FALSE(seen.boardExistedAtShow);
  EXPECT_EQ(ID_NEXT_BLACK, seen.toolbarModeAtShow);
  EXPECT_FALSE(seen.keyExistedAtDestroy) << "the settings are written after the loop ends";
  DWORD size = 0;
  EXPECT_TRUE(ReadSettingDword("WindowSize", &size));

  // The show handler creates the board, then the toolbar; close runs OnClose, OnDestroy.
  ASSERT_GE(seen.texts.size(), 2u);
  EXPECT_EQ("Frame::OnShowWindow()\n", seen.texts[0]);
  EXPECT_EQ("ChildGoban::OnShowWindow()\n", seen.texts[1]);
  std::vector<std::string> closing;
  for (const std::string& t : seen.texts) {
    if (t == "Frame::OnClose()\n" || t == "Frame::OnDestroy()\n") closing.push_back(t);
  }
  EXPECT_EQ((std::vector<std::string>{"Frame::OnClose()\n", "Frame::OnDestroy()\n"}), closing);
}

TEST(FrameStartup, ClientAreaHoldsToolbarAndBoardExactlyAtEveryViewSize) {
  for (int viewSize : {ID_VIEW_LARGE_VERY, ID_VIEW_LARGE, ID_VIEW_MIDDLE, ID_VIEW_SMALL,
                       ID_VIEW_SMALL_VERY}) {
    StoreSettings(0, 0, viewSize);
    AppHarness app;
    const int c = ExpectedCell(viewSize);
    SIZE client = ClientSize(app.Main());
    EXPECT_EQ(36 + 20 * c, client.cx) << viewSize;
    EXPECT_EQ(20 * c, client.cy) << viewSize;
    SIZE board = ClientSize(app.Board());
    EXPECT_EQ(20 * c, board.cx) << viewSize;
    EXPECT_EQ(20 * c, board.cy) << viewSize;
    EXPECT_EQ(1u, CheckedLabels(app.Main(), 1).size());
    int cell = 0;
    app.OnUiThread([&] { cell = gBoardLayout->CellSize(); });
    EXPECT_EQ(c, cell);
    app.Close();
  }
}

TEST(FrameStartup, MainWindowCannotBeResizedOrMaximised) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app;
  LONG style = GetWindowLongA(app.Main(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_NE(nullptr, reinterpret_cast<HICON>(GetClassLongPtrA(app.Main(), GCLP_HICON)));
  EXPECT_NE(nullptr, reinterpret_cast<HICON>(GetClassLongPtrA(app.Main(), GCLP_HICONSM)));
}

TEST(FrameStartup, PaintAndCloseHandlersTraceTheirNames) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app;
  app.PaintNow();
  TraceRecorder trace;
  app.OnUiThread([&] {
    InvalidateRect(app.Main(), nullptr, FALSE);
    UpdateWindow(app.Main());
  });
  EXPECT_EQ(1, trace.Count("Frame::OnPaint()\n"));
  trace.Clear();
  EXPECT_EQ(0, app.Close());
  EXPECT_EQ((std::vector<std::string>{"Frame::OnClose()\n", "Frame::OnDestroy()\n"}),
            FrameTraces(trace));
}

namespace {

struct LoneRun {
  Frame* frame = nullptr;
  volatile LONG result = -1;
};

DWORD WINAPI RunLone(void* param) {
  auto* run = static_cast<LoneRun*>(param);
  char commandLine[] = "";
  Frame frame(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
  InterlockedExchange(&run->result, frame.Run());
  return 0;
}

// Runs Frame::Run on a thread of its own; arrange runs on that thread (suspended) first.
template <typename Arrange>
LONG RunFrameAlone(Arrange arrange) {
  LoneRun run;
  DWORD threadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, RunLone, &run, CREATE_SUSPENDED, &threadId);
  arrange(threadId);
  ResumeThread(thread);
  DWORD waited = WaitForSingleObject(thread, 20000);
  CloseHandle(thread);
  EXPECT_EQ(WAIT_OBJECT_0, waited) << "Frame::Run hung";
  return run.result;
}

HHOOK creationBlocker = nullptr;

LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) return 1;  // no window may be created
  return CallNextHookEx(creationBlocker, code, wParam, lParam);
}

}  // namespace

TEST(FrameStartup, AClassThatCannotBeRegisteredEndsTheRunWithAnErrorCode) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  WNDCLASSEXA taken{};
  taken.cbSize = sizeof taken;
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = GetModuleHandleA(nullptr);
  taken.lpszClassName = "TAVUNE";
  ASSERT_NE(0, RegisterClassExA(&taken));
  LONG result = RunFrameAlone([](DWORD) {});
  UnregisterClassA("TAVUNE", GetModuleHandleA(nullptr));
  EXPECT_NE(0, result);
  EXPECT_EQ(nullptr, gFrame);
  EXPECT_EQ(nullptr, gGameRecord);
  EXPECT_EQ(nullptr, gBoardLayout);
}

TEST(FrameStartup, AWindowThatCannotBeCreatedEndsTheRunWithAnErrorCode) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  LONG result = RunFrameAlone([](DWORD threadId) {
    creationBlocker = SetWindowsHookExA(WH_CBT, RefuseCreation, nullptr, threadId);
    ASSERT_NE(nullptr, creationBlocker);
  });
  UnhookWindowsHookEx(creationBlocker);
  creationBlocker = nullptr;
  EXPECT_NE(0, result);
  EXPECT_EQ(nullptr, gWindowSettings);

  // The class went with the failed run: the next run registers it again and starts.
  AppHarness app;
  EXPECT_NE(nullptr, app.Main());
}
