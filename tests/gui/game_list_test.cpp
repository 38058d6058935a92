// The list of a collection's games: a dropped collection shows it, the first game
// selected and the keys in the list; the filter narrows it; Escape leaves the board as it was.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "app/frame.h"
#include "frame_test_support.h"
#include "record/game_record.h"
#include "view_test_support.h"

TEST(GameList, EscapeInTheListLeavesTheBoardAsItWas) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  WriteSettingDword("MainLineOnly", 1);
  const std::string shown = MakeRecordFile("shown", "(;B[pd];W[dd];B[pp])");
  AppHarness app(shown);
  app.Command(ID_LOOK_BACK);
  const std::string games =
      MakeRecordFile("games", "(;PB[Iyama]RE[B+R];B[aa])(;PW[Ke Jie];B[bb])(;PB[Shin];B[cc])");
  HDROP drop = MakeDrop(std::vector<std::wstring>{WideOf(games)});
  PostMessageW(app.Board(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  HWND dialog = WaitForDialog(app);
  ASSERT_NE(nullptr, dialog);
  HWND list = GetDlgItem(dialog, IDC_GAME_LIST);
  GUITHREADINFO focus{sizeof focus};
  GetGUIThreadInfo(app.ThreadId(), &focus);
  EXPECT_EQ(list, focus.hwndFocus);
  EXPECT_EQ(3, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ(0, SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED)) << "the first game";
  // In the second game's white player alone, in another case.
  SetDlgItemTextW(dialog, IDC_GAME_FILTER, L"kE j");
  EXPECT_EQ(1, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitForNoDialog(app));
  int count = 0, cursor = 0;
  std::string path;
  app.OnUiThread([&] {
    count = gGameRecord->mainCount;
    cursor = gGameRecord->mainCursor;
    path = gFrame->RecordPath();
  });
  EXPECT_EQ((std::vector<int>{4, 2}), (std::vector<int>{count, cursor})) << "the move shown before";
  EXPECT_EQ(shown, path);
}
