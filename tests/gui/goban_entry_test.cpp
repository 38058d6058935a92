// The board window's input: button releases become stone entry and repaint only the
// changed cells; a drop opens its first file.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "record/game_record.h"
#include "view/child_toolbar.h"
#include "view_test_support.h"

namespace {

constexpr int c = 32;  // the middle view

// The position value of a button message at the centre of point (x, y).
LPARAM AtPoint(int x, int y) { return MAKELPARAM((x + 1) * c + c / 2, (y + 1) * c + c / 2); }

RECT CellsOf(int minX, int minY, int maxX, int maxY) {
  return RECT{(minX + 1) * c, (minY + 1) * c, (maxX + 2) * c, (maxY + 2) * c};
}

Stone StoneAt(AppHarness& app, int x, int y) {
  Stone stone = Empty;
  app.OnUiThread([&] { stone = gGameRecord->Current().At(x, y); });
  return stone;
}

// Sends message to the board on the program's thread and returns the update region's
// rectangle straight after, before anything can paint. Whatever was pending (the system
// may still expose parts of a new window) is painted first.
RECT SendAndLookAtUpdate(AppHarness& app, UINT message, LPARAM position, bool* exact = nullptr,
                         const RECT& expected = RECT{}) {
  RECT update{};
  app.OnUiThread([&] {
    UpdateWindow(app.Board());
    SendMessageA(app.Board(), message, 0, position);
    update = UpdateRectNow(app.Board());
    if (exact) *exact = UpdateRegionNowIs(app.Board(), {expected});
  });
  return update;
}

}  // namespace

TEST(GobanEntry, ALeftReleasePlacesAStoneAndInvalidatesExactlyItsCell) {
  ViewHarness app(ID_VIEW_MIDDLE);
  TraceRecorder trace;
  app.PaintNow();
  bool exact = false;
  SendAndLookAtUpdate(app, WM_LBUTTONUP, AtPoint(3, 3), &exact, CellsOf(3, 3, 3, 3));
  EXPECT_TRUE(exact);
  EXPECT_EQ(StoneAt(app, 3, 3), Black);
  EXPECT_EQ(gChildToolbar->Mode(), ID_NEXT_WHITE);
  EXPECT_TRUE(NextMoveChecked(app, ID_NEXT_WHITE));
  EXPECT_EQ(trace.Count("ChildGoban::OnLButtonUp()\n"), 1);

  // The far corner pixel of the last point still counts as that point.
  SendAndLookAtUpdate(app, WM_LBUTTONUP, MAKELPARAM(20 * c - 1, 20 * c - 1), &exact,
                      CellsOf(18, 18, 18, 18));
  EXPECT_TRUE(exact);
  EXPECT_EQ(StoneAt(app, 18, 18), White);
}

TEST(GobanEntry, ARightReleaseTakesTheStoneOffAndInvalidatesItsCell) {
  ViewHarness app(ID_VIEW_MIDDLE);
  ShowDiagram(app, {"", "", "", "...........X"}, ID_NEXT_WHITE_MANY);
  TraceRecorder trace;
  bool exact = false;
  SendAndLookAtUpdate(app, WM_RBUTTONUP, AtPoint(11, 3), &exact, CellsOf(11, 3, 11, 3));
  EXPECT_TRUE(exact);
  EXPECT_EQ(StoneAt(app, 11, 3), Empty);
  EXPECT_EQ(gChildToolbar->Mode(), ID_NEXT_WHITE_MANY);
  EXPECT_EQ(trace.Count("ChildGoban::OnRButtonUp()\n"), 1);
}

TEST(GobanEntry, ReleasesOnTheLabelsAreTracedAndChangeNothing) {
  ViewHarness app(ID_VIEW_MIDDLE);
  app.PaintNow();
  TraceRecorder trace;
  EXPECT_EQ(SendAndLookAtUpdate(app, WM_LBUTTONUP, MAKELPARAM(c - 1, 200)), RECT{});
  EXPECT_EQ(SendAndLookAtUpdate(app, WM_LBUTTONUP, MAKELPARAM(200, c - 1)), RECT{});
  EXPECT_EQ(SendAndLookAtUpdate(app, WM_RBUTTONUP, MAKELPARAM(5, 5)), RECT{});
  EXPECT_EQ(trace.Count("ChildGoban::OnLButtonUp()\n"), 2);
  EXPECT_EQ(trace.Count("ChildGoban::OnRButtonUp()\n"), 1);
  int variationCount = -1;
  app.OnUiThread([&] { variationCount = gGameRecord->variationCount; });
  EXPECT_EQ(variationCount, 0);
}

TEST(GobanEntry, ACaptureInvalidatesOneBoxOverEveryChangedCell) {
  ViewHarness app(ID_VIEW_MIDDLE);
  ShowDiagram(app,
              {
                  "OOOOOO.............",  //
                  "XXXXXX.............",  //
              },
              ID_NEXT_BLACK);
  // Black at (6, 0) takes the six white stones on the top edge.
  bool exact = false;
  SendAndLookAtUpdate(app, WM_LBUTTONUP, AtPoint(6, 0), &exact, CellsOf(0, 0, 6, 0));
  EXPECT_TRUE(exact);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(StoneAt(app, x, 0), Empty) << x;
  EXPECT_EQ(StoneAt(app, 6, 0), Black);
}

TEST(GobanEntry, NavigationBetweenPositionsWithEqualCellsRepaintsNothing) {
  ViewHarness app(ID_VIEW_MIDDLE);
  // Place a stone and take it off: the variation's last Position has the same cells as
  // the empty starting board.
  app.OnUiThread([&] {
    SendMessageA(app.Board(), WM_LBUTTONUP, 0, AtPoint(5, 5));
    SendMessageA(app.Board(), WM_RBUTTONUP, 0, AtPoint(5, 5));
  });
  app.PaintNow();
  RECT update{1, 1, 1, 1};
  app.OnUiThread([&] {
    UpdateWindow(app.Board());
    gGameRecord->LookHome();
    update = UpdateRectNow(app.Board());
  });
  EXPECT_EQ(update, RECT{}) << "the system reorders an inverted rectangle instead of "
                               "ignoring it, so the empty box must not reach InvalidateRect";
  // From the end of the variation one step back shows the stone again: just its cell.
  app.OnUiThread([&] {
    gGameRecord->LookEnd();
    ValidateRect(app.Board(), nullptr);
    gGameRecord->LookBack();
    update = UpdateRectNow(app.Board());
  });
  EXPECT_EQ(update, CellsOf(5, 5, 5, 5));
}


TEST(GobanDrop, ADropOfThreeFilesOpensTheFirstAndRepaintsTheWholeBoard) {
  const std::string folder = MakeTempFolder("drop");
  const std::string first = folder + "\\first.sgf";
  const std::string second = folder + "\\second.sgf";
  const std::string third = folder + "\\third.ugf";
  ASSERT_TRUE(WriteFileBytes(first, "(;B[dd];W[pp];B[dp])"));
  ASSERT_TRUE(WriteFileBytes(second, "(;B[aa];W[ss])"));
  ASSERT_TRUE(WriteFileBytes(third, "[Data]\r\n"));

  ViewHarness app(ID_VIEW_MIDDLE);
  app.PaintNow();
  TraceRecorder trace;
  ImportCallLog log;
  bool whole = false;
  app.OnUiThread([&] {
    UpdateWindow(app.Board());
    SendMessageA(app.Board(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({first, second, third})), 0);
    whole = UpdateRegionNowIs(app.Board(), {RECT{0, 0, 20 * c, 20 * c}});
  });
  EXPECT_TRUE(whole);
  EXPECT_EQ(StoneAt(app, 3, 3), Black);
  EXPECT_EQ(StoneAt(app, 15, 15), White);
  EXPECT_EQ(StoneAt(app, 3, 15), Black);
  EXPECT_EQ(StoneAt(app, 0, 0), Empty);
  // The last move was black's, so white plays next: menu and toolbar both say so.
  EXPECT_EQ(gChildToolbar->Mode(), ID_NEXT_WHITE);
  EXPECT_TRUE(NextMoveChecked(app, ID_NEXT_WHITE));
  EXPECT_EQ(log.CallsOf("DragFinish").size(), 1u);

  std::vector<std::string> drops;
  for (const std::string& text : trace.Texts()) {
    if (text.rfind("ChildGoban::OnDropFiles", 0) == 0 || text == first || text == ")\n") {
      drops.push_back(text);
    }
  }
  EXPECT_EQ(drops, (std::vector<std::string>{"ChildGoban::OnDropFiles()\n",
                                             "ChildGoban::OnDropFiles(", first, ")\n"}));
}

namespace {

UINT WINAPI NoDroppedFiles(HDROP, UINT, LPWSTR, UINT) { return 0; }

}  // namespace

// The shell never sends an empty drop (and Wine's DragQueryFileW counts at least one
// file in any list), so the count is made 0 at the program's import of it.
TEST(GobanDrop, ADropOfNoFilesIsOnlyFreed) {
  ViewHarness app(ID_VIEW_MIDDLE);
  ShowDiagram(app, {"X"}, ID_NEXT_WHITE_MANY);
  TraceRecorder trace;
  ImportCallLog log;
  void* real =
      PatchImport("shell32.dll", "DragQueryFileW", reinterpret_cast<void*>(&NoDroppedFiles));
  ASSERT_NE(real, nullptr);
  RECT update{1, 1, 1, 1};
  app.OnUiThread([&] {
    UpdateWindow(app.Board());
    SendMessageA(app.Board(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({"C:\\a.sgf"})), 0);
    update = UpdateRectNow(app.Board());
  });
  PatchImport("shell32.dll", "DragQueryFileW", real);
  EXPECT_EQ(update, RECT{});
  EXPECT_EQ(StoneAt(app, 0, 0), Black);
  EXPECT_EQ(gChildToolbar->Mode(), ID_NEXT_WHITE_MANY);
  EXPECT_EQ(log.CallsOf("DragFinish").size(), 1u);
  EXPECT_EQ(trace.Count("ChildGoban::OnDropFiles()\n"), 1);
  EXPECT_EQ(trace.Count("ChildGoban::OnDropFiles("), 0);
}

namespace {

// The path of a new record of 999 UTF-16 units, the most the drop's buffer holds, in
// folders made for it (through "\\?\", which takes paths of any length).
std::wstring RecordOf999Units() {
  std::wstring path = WideOf(MakeTempFolder("long-drop"));
  while (999 - path.size() > 201) {
    path += L"\\" + std::wstring(100, L'd');
    CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
  }
  path += L"\\" + std::wstring(999 - path.size() - 5, L'r') + L".sgf";
  HANDLE file =
      CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  DWORD wrote = 0;
  WriteFile(file, "(;B[dd])", 8, &wrote, nullptr);
  CloseHandle(file);
  return path;
}

void Drop(AppHarness& app, const std::wstring& path) {
  HDROP drop = MakeDrop(std::vector<std::wstring>{path});
  app.OnUiThread(
      [&] { SendMessageW(app.Board(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); });
}

}  // namespace

// One unit more than the buffer holds: the name would come cut, and its cut form names
// another record. The drop opens nothing; the cut name itself, dropped, does open.
TEST(GobanDrop, ANameTooLongForTheBufferOpensNothingNotTheFileItsCutFormNames) {
  const std::wstring cut = RecordOf999Units();
  HANDLE file = CreateFileW(cut.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no path of 999 units opens: long paths off";
  CloseHandle(file);
  ViewHarness app(ID_VIEW_MIDDLE);
  Drop(app, cut + L"x");
  EXPECT_EQ(StoneAt(app, 3, 3), Empty);
  Drop(app, cut);
  EXPECT_EQ(StoneAt(app, 3, 3), Black);
}

TEST(GobanTrace, TheBoardAnnouncesItsShowAndEachPaint) {
  TraceRecorder trace;
  ViewHarness app(ID_VIEW_MIDDLE);
  app.PaintNow();
  const std::vector<std::string> texts = trace.Texts();
  const auto frameShow = std::find(texts.begin(), texts.end(), "Frame::OnShowWindow()\n");
  const auto boardShow = std::find(texts.begin(), texts.end(), "ChildGoban::OnShowWindow()\n");
  EXPECT_EQ(trace.Count("ChildGoban::OnShowWindow()\n"), 1);
  EXPECT_LT(frameShow, boardShow);

  trace.Clear();
  app.OnUiThread([&] {
    InvalidateRect(app.Board(), nullptr, FALSE);
    UpdateWindow(app.Board());
  });
  EXPECT_EQ(trace.Texts(), std::vector<std::string>{"ChildGoban::OnPaint()\n"});
}
