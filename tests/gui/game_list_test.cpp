// A dropped collection's list: the first game selected, a filter, and Escape opening nothing.
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
  EXPECT_EQ(3, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ(0, SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  // In the second game's white player alone, in another case.
  SetDlgItemTextW(dialog, IDC_GAME_FILTER, L"kE j");
  EXPECT_EQ(1, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitForNoDialog(app));
  std::vector<int> countAndCursor;
  std::string path;
  app.OnUiThread([&] {
    countAndCursor = {gGameRecord->mainCount, gGameRecord->mainCursor};
    path = gFrame->RecordPath();
  });
  EXPECT_EQ((std::vector<int>{4, 2}), countAndCursor) << "the move shown before the drop";
  EXPECT_EQ(shown, path);
}
