// Menu commands without dialogs: New, the view sizes, the next-move modes, navigation,
// Exit and an unknown id, each with its trace and its effect.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "frame_test_support.h"
#include "record/game_record.h"
#include "resource.h"
#include "view/board_layout.h"
#include "view/child_toolbar.h"

namespace {

// Ten stones on the diagonal, white last: Positions 0 to 10, the last one black-first.
const char kTenMoves[] =
    "(;GM[1]SZ[19];B[aa];W[bb];B[cc];W[dd];B[ee];W[ff];B[gg];W[hh];B[ii];W[jj])";

struct Cursor {
  int main, variation, mainCount, variationCount, mode;
};

Cursor CursorOf(AppHarness& app) {
  Cursor cursor{};
  app.OnUiThread([&] {
    cursor = {gGameRecord->mainCursor, gGameRecord->variationCursor, gGameRecord->mainCount,
              gGameRecord->variationCount, gGameRecord->Current().nextMode};
  });
  return cursor;
}

// Sends the command on the program's thread and returns the board's update rectangle
// straight after, before anything can paint; empty when nothing waits.
RECT CommandAndBoardUpdate(AppHarness& app, int id) {
  RECT update{};
  app.OnUiThread([&] {
    SendMessageA(app.Main(), WM_COMMAND, id, 0);
    if (!GetUpdateRect(app.Board(), &update, FALSE)) update = RECT{};
  });
  return update;
}

std::vector<std::string> Dispatched(const char* trace) { return {"Frame::OnCommand()\n", trace}; }

std::string TenMovesFile() { return MakeRecordFile("ten", kTenMoves); }

}  // namespace

TEST(Commands, AnUnknownIdTracesOnlyTheDispatchAndChangesNothing) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(TenMovesFile());
  TraceRecorder trace;
  LRESULT result = -1;
  app.OnUiThread([&] { result = SendMessageA(app.Main(), WM_COMMAND, 131, 0); });
  EXPECT_EQ(0, result);
  EXPECT_EQ(std::vector<std::string>{"Frame::OnCommand()\n"}, FrameTraces(trace));
  Cursor cursor = CursorOf(app);
  EXPECT_EQ(10, cursor.main);
  EXPECT_EQ(11, cursor.mainCount);
}

TEST(Commands, NewMakesAnEmptyGameAndRepaintsTheWholeBoard) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(TenMovesFile());
  app.Command(ID_NEXT_WHITE_MANY);
  app.PaintNow();
  TraceRecorder trace;
  RECT update = CommandAndBoardUpdate(app, ID_FILE_NEW);
  EXPECT_EQ(Dispatched("Frame::OnCommand(ID_FILE_NEW)\n"), FrameTraces(trace));
  EXPECT_EQ(0, update.left);
  EXPECT_EQ(0, update.top);
  EXPECT_EQ(640, update.right);
  EXPECT_EQ(640, update.bottom);
  Cursor cursor = CursorOf(app);
  EXPECT_EQ(1, cursor.mainCount);
  EXPECT_EQ(0, cursor.main);
  EXPECT_EQ(ID_NEXT_BLACK, cursor.mode);
  EXPECT_EQ(std::vector<std::string>{"黒から交互 (&K)"}, CheckedLabels(app.Main(), 2));
  EXPECT_EQ(ID_NEXT_BLACK, gChildToolbar->Mode());
}

TEST(Commands, ViewSizesResizeTheWindowInPlace) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app;
  app.OnUiThread([&] { SetWindowPos(app.Main(), nullptr, 50, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER); });
  const struct {
    int id;
    const char* trace;
    const char* label;
  } steps[] = {
      {ID_VIEW_LARGE_VERY, "Frame::OnCommand(ID_VIEW_LARGE_VERY)\n", "最大 (&G)"},
      {ID_VIEW_SMALL_VERY, "Frame::OnCommand(ID_VIEW_SMALL_VERY)\n", "最小 (&A)"},
      {ID_VIEW_LARGE, "Frame::OnCommand(ID_VIEW_LARGE)\n", "大 (&L)"},
      {ID_VIEW_SMALL, "Frame::OnCommand(ID_VIEW_SMALL)\n", "小 (&S)"},
      {ID_VIEW_MIDDLE, "Frame::OnCommand(ID_VIEW_MIDDLE)\n", "中 (&M)"},
      {ID_VIEW_MIDDLE, "Frame::OnCommand(ID_VIEW_MIDDLE)\n", "中 (&M)"},
  };
  for (const auto& step : steps) {
    TraceRecorder trace;
    app.Command(step.id);
    const int c = ExpectedCell(step.id);
    EXPECT_EQ(Dispatched(step.trace), FrameTraces(trace));
    RECT outer = ScreenRect(app.Main());
    EXPECT_EQ(50, outer.left) << step.trace;
    EXPECT_EQ(40, outer.top) << step.trace;
    SIZE client = ClientSize(app.Main());
    EXPECT_EQ(36 + 20 * c, client.cx) << step.trace;
    EXPECT_EQ(20 * c, client.cy) << step.trace;
    SIZE board = ClientSize(app.Board());
    EXPECT_EQ(20 * c, board.cx) << step.trace;
    EXPECT_EQ(20 * c, board.cy) << step.trace;
    SIZE toolbar = ClientSize(app.Toolbar());
    EXPECT_EQ(36, toolbar.cx) << step.trace;
    EXPECT_EQ(20 * c, toolbar.cy) << step.trace;
    EXPECT_EQ(std::vector<std::string>{step.label}, CheckedLabels(app.Main(), 1));
  }
}

TEST(Commands, ANextMoveModeGoesToMenuToolbarAndPositionAndRepaintsNothing) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(TenMovesFile());
  const struct {
    int id;
    const char* trace;
    const char* label;
  } modes[] = {
      {ID_NEXT_WHITE, "Frame::OnCommand(ID_NEXT_WHITE)\n", "白から交互 (&S)"},
      {ID_NEXT_BLACK_MANY, "Frame::OnCommand(ID_NEXT_BLACK_MANY)\n", "黒を連打 (&G)"},
      {ID_NEXT_BLACK, "Frame::OnCommand(ID_NEXT_BLACK)\n", "黒から交互 (&K)"},
      {ID_NEXT_WHITE_MANY, "Frame::OnCommand(ID_NEXT_WHITE_MANY)\n", "白を連打 (&Z)"},
  };
  for (const auto& mode : modes) {
    app.PaintNow();
    TraceRecorder trace;
    RECT update = CommandAndBoardUpdate(app, mode.id);
    EXPECT_EQ(Dispatched(mode.trace), FrameTraces(trace));
    EXPECT_EQ(0, update.right - update.left) << "the board does not show the mode";
    EXPECT_EQ(std::vector<std::string>{mode.label}, CheckedLabels(app.Main(), 2));
    EXPECT_EQ(mode.id, gChildToolbar->Mode());
    EXPECT_EQ(mode.id, CursorOf(app).mode);
  }

  // The mode belongs to the Position: stepping away and back finds it again.
  app.Command(ID_LOOK_BACK);
  EXPECT_EQ(ID_NEXT_WHITE, CursorOf(app).mode) << "Position 9, white to play";
  EXPECT_EQ(ID_NEXT_WHITE, gChildToolbar->Mode());
  app.Command(ID_LOOK_NEXT);
  Cursor cursor = CursorOf(app);
  EXPECT_EQ(10, cursor.main);
  EXPECT_EQ(ID_NEXT_WHITE_MANY, cursor.mode);
  EXPECT_EQ(ID_NEXT_WHITE_MANY, gChildToolbar->Mode());
  EXPECT_EQ(std::vector<std::string>{"白を連打 (&Z)"}, CheckedLabels(app.Main(), 2));
}

TEST(Commands, NavigationStepsThroughTheRecordAndItsVariation) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(TenMovesFile());
  const struct {
    int id;
    const char* trace;
    int main;
  } steps[] = {
      {ID_LOOK_HOME, "Frame::OnCommand(ID_LOOK_HOME)\n", 0},
      {ID_LOOK_NEXT, "Frame::OnCommand(ID_LOOK_NEXT)\n", 1},
      {ID_LOOK_NEXT, "Frame::OnCommand(ID_LOOK_NEXT)\n", 2},
      {ID_LOOK_BACK, "Frame::OnCommand(ID_LOOK_BACK)\n", 1},
      {ID_LOOK_END, "Frame::OnCommand(ID_LOOK_END)\n", 10},
      {ID_LOOK_DEL, "Frame::OnCommand(ID_LOOK_DEL)\n", 10},
  };
  for (const auto& step : steps) {
    TraceRecorder trace;
    app.Command(step.id);
    EXPECT_EQ(Dispatched(step.trace), FrameTraces(trace));
    EXPECT_EQ(step.main, CursorOf(app).main) << step.trace;
  }
  // Position 1 follows a black stone: white to play, in the menu and the toolbar.
  app.Command(ID_LOOK_HOME);
  app.Command(ID_LOOK_NEXT);
  EXPECT_EQ(std::vector<std::string>{"白から交互 (&S)"}, CheckedLabels(app.Main(), 2));
  EXPECT_EQ(ID_NEXT_WHITE, gChildToolbar->Mode());

  // A stone entered at Position 1 starts a variation; Delete returns to the branch point.
  app.OnUiThread([] { gGameRecord->PutStone(10 * 32 + 5, 15 * 32 + 5); });
  Cursor inVariation = CursorOf(app);
  EXPECT_EQ(-1, inVariation.main);
  EXPECT_EQ(1, inVariation.variationCount);
  app.Command(ID_LOOK_DEL);
  Cursor back = CursorOf(app);
  EXPECT_EQ(1, back.main);
  EXPECT_EQ(0, back.variationCount);
  EXPECT_EQ(11, back.mainCount);
}

TEST(Commands, ExitClosesTheProgramAsTheCloseBoxDoes) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app;
  app.OnUiThread([&] { SetWindowPos(app.Main(), nullptr, 70, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER); });
  app.Command(ID_VIEW_SMALL);
  TraceRecorder trace;
  app.PostCommand(IDM_EXIT);
  ASSERT_TRUE(WaitFor([&] { return !app.Running(); }, 20000));
  EXPECT_EQ(0, app.Close());
  EXPECT_EQ((std::vector<std::string>{"Frame::OnCommand()\n", "Frame::OnCommandExit()\n",
                                      "Frame::OnClose()\n", "Frame::OnDestroy()\n"}),
            FrameTraces(trace));
  DWORD left = 0, size = 0;
  EXPECT_TRUE(ReadSettingDword("WindowLeft", &left));
  EXPECT_TRUE(ReadSettingDword("WindowSize", &size));
  EXPECT_EQ(70u, left);
  EXPECT_EQ(static_cast<DWORD>(ID_VIEW_SMALL), size);
}
