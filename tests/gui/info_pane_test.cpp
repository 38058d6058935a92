// The information pane and the last-move mark: the registry, a screen reader's texts, repaints.
#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "record/game_record.h"
#include "view/child_info_pane.h"
#include "view_test_support.h"

namespace {

DWORD StoredValueCount() {
  HKEY key = nullptr;
  DWORD values = 0;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Orvenda\\Tavune", &key) != ERROR_SUCCESS) return 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return values;
}

// The board-window rectangle of point (x, y) at 32-pixel cells.
RECT Cell(int x, int y) { return RECT{(x + 1) * 32, (y + 1) * 32, (x + 2) * 32, (y + 2) * 32}; }

}  // namespace

TEST(InfoPane, OnlyTheUsersChoiceIsStoredAndTheWindowGrowsToTheRight) {
  StoreSettings(40, 30, ID_VIEW_MIDDLE);
  AppHarness(MakeRecordFile("three", "(;B[pd])")).Close();
  EXPECT_EQ(3u, StoredValueCount()) << "a run that leaves the options alone";
  {
    AppHarness app;
    app.Command(ID_VIEW_INFO_PANE);
    EXPECT_EQ(36 + 640 + 256, ClientSize(app.Main()).cx);
    EXPECT_TRUE(ScreenRect(app.Main()).left == 40 && ScreenRect(app.Main()).top == 30);
    EXPECT_EQ(ScreenRect(app.Board()).right, ScreenRect(gChildInfoPane->Window()).left);
    EXPECT_EQ(std::vector<std::string>({"中 (&M)", "対局情報とコメント (&I)\tCtrl+I"}),
              CheckedLabels(app.Main(), 1));
  }
  EXPECT_EQ(4u, StoredValueCount());
  AppHarness again;
  EXPECT_TRUE(IsWindowVisible(gChildInfoPane->Window())) << "restored at the next start";
  again.Close();
  DeleteSettingsKey();  // the pane stays out of the other tests' windows
}

// No CA, 0x5C and 0x5D trail bytes (余 十 表 評 転); the pane reads the open record's file.
TEST(InfoPane, AShiftJisRecordReadsBackWholeAtEveryStepAndInAVariation) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(MakeRecordFile("sjis", "(;PB[余正麒]BR[十段]PW[表]KM[6.5]GC[架空の対局]\n"
                                        ";B[pd]C[評価は互角];W[dd];B[pp]C[転換点\n\n次へ])"));
  app.Command(ID_VIEW_INFO_PANE);
  const HWND move = gChildInfoPane->MoveBox();
  // The comments follow a step once the program's loop is idle.
  const auto comments = [](const std::string& text) {
    return WaitFor([&] { return TextOf(gChildInfoPane->CommentBox()) == text; });
  };
  EXPECT_EQ("3手目 / 全3手", TextOf(move));
  EXPECT_EQ("黒 余正麒 十段\r\n白 表\r\nコミ6目半", TextOf(gChildInfoPane->GameBox()));
  EXPECT_TRUE(comments("架空の対局\r\n\r\n転換点\r\n\r\n次へ"));
  app.Command(ID_LOOK_BACK);
  EXPECT_EQ("2手目 / 全3手", TextOf(move));
  EXPECT_TRUE(comments("架空の対局"));
  app.Command(ID_LOOK_BACK);
  EXPECT_TRUE(comments("架空の対局\r\n\r\n評価は互角"));
  SendMessageA(app.Board(), WM_LBUTTONUP, 0, MAKELPARAM(10 * 32 + 5, 10 * 32 + 5));
  EXPECT_EQ("変化 2手目 (本譜1手目から)", TextOf(move));
  EXPECT_TRUE(comments(""));
  app.Close();
  DeleteSettingsKey();
}

TEST(LastMoveMark, AStepRepaintsTheChangedCellAndTheOneThatLosesTheRing) {
  ViewHarness app(ID_VIEW_MIDDLE, MakeRecordFile("mark", "(;B[pd];W[dd];B[pp])"));
  const RECT pp = Cell(15, 15);
  for (const bool marked : {false, true}) {
    if (marked) app.Command(ID_VIEW_LAST_MOVE_MARK);
    app.Command(ID_LOOK_BACK);
    app.PaintNow();
    bool exact = false;
    app.OnUiThread([&] {
      gGameRecord->LookNext();
      exact = UpdateRegionNowIs(app.Board(), marked ? std::vector<RECT>{pp, Cell(3, 3)}
                                                    : std::vector<RECT>{pp});
    });
    EXPECT_TRUE(exact) << (marked ? "marked" : "unmarked");
    app.PaintNow();
    // Light on the ring left of the black stone's centre only when marked; dark at its centre.
    const PixelBlock board = WindowPixels(app, app.Board());
    EXPECT_EQ(marked, (board.At(pp.left + 9, pp.top + 16) & 0xFF) > 160);
    EXPECT_LT(board.At(pp.left + 16, pp.top + 16) & 0xFF, 60u);
  }
  app.Close();
  DeleteSettingsKey();
}
