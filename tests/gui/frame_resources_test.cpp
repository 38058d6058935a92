// The main window's resources as the program loads them: menu bar, accelerator table and
// strings, byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "frame_test_support.h"
#include "resource.h"

namespace {

struct Entry {
  int id;  // 0 for a separator
  const char* label;
};

struct Popup {
  const char* label;
  std::vector<Entry> entries;
};

const std::vector<Popup> kMenuBar = {
    {"ファイル(&F)",
     {{129, "新規 (&N)"},
      {130, "開く (&O) ..."},
      {172, "本譜だけを読む (&H)"},
      {153, "上書き保存 (&S)"},
      {154, "名前を付けて保存 (&A) ..."},
      {0, ""},
      {105, "アプリケーションの終了 (&X)"}}},
    {"表示(&V)",
     {{146, "最大 (&G)"},
      {132, "大 (&L)"},
      {133, "中 (&M)"},
      {134, "小 (&S)"},
      {147, "最小 (&A)"},
      {0, ""},
      {170, "対局情報とコメント (&I)\tCtrl+I"},
      {171, "最後の一手に印 (&K)"}}},
    {"次の一手(&N)",
     {{136, "黒から交互 (&K)"},
      {137, "白から交互 (&S)"},
      {138, "黒を連打 (&G)"},
      {139, "白を連打 (&Z)"}}},
    {"観戦(&K)",
     {{141, "一手進む (&N)\t→↓"},
      {142, "一手戻る (&B)\t←↑"},
      {0, ""},
      {143, "最初に戻る (&H)\tHome"},
      {144, "最後に進む (&E)\tEnd"},
      {0, ""},
      {145, "変化を削除 (&D)\tDel"}}},
    {"ヘルプ(&H)", {{104, "バージョン情報 (&A) ..."}}},
};

}  // namespace

TEST(FrameResources, MenuBarHoldsEveryEntryWithItsIdAndLabelUncheckedAndEnabled) {
  HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN));
  ASSERT_NE(nullptr, bar);
  ASSERT_EQ(static_cast<int>(kMenuBar.size()), GetMenuItemCount(bar));
  for (int p = 0; p < static_cast<int>(kMenuBar.size()); ++p) {
    EXPECT_EQ(kMenuBar[p].label, MenuLabel(bar, p));
    HMENU popup = GetSubMenu(bar, p);
    ASSERT_NE(nullptr, popup);
    const std::vector<Entry>& entries = kMenuBar[p].entries;
    ASSERT_EQ(static_cast<int>(entries.size()), GetMenuItemCount(popup)) << p;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
      UINT state = GetMenuState(popup, i, MF_BYPOSITION);
      if (entries[i].id == 0) {
        EXPECT_TRUE(state & MF_SEPARATOR) << p << "," << i;
        continue;
      }
      EXPECT_EQ(entries[i].id, static_cast<int>(GetMenuItemID(popup, i)));
      EXPECT_EQ(entries[i].label, MenuLabel(popup, i));
      EXPECT_EQ(0u, state & (MF_CHECKED | MF_GRAYED | MF_DISABLED)) << entries[i].label;
    }
  }
  DestroyMenu(bar);
}

TEST(FrameResources, AcceleratorsAreTheTenKeysInOrderWithoutInvert) {
  HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN));
  ASSERT_NE(nullptr, table);
  ACCEL keys[16] = {};
  ASSERT_EQ(10, CopyAcceleratorTableA(table, keys, 16));
  const BYTE kAltChar = FALT | FNOINVERT;
  const BYTE kVirtual = FVIRTKEY | FNOINVERT;
  const ACCEL expected[] = {
      {kAltChar, '/', IDM_ABOUT},      {kAltChar, '?', IDM_ABOUT},
      {kVirtual, VK_DELETE, ID_LOOK_DEL}, {kVirtual, VK_HOME, ID_LOOK_HOME},
      {kVirtual, VK_END, ID_LOOK_END},    {kVirtual, VK_RIGHT, ID_LOOK_NEXT},
      {kVirtual, VK_LEFT, ID_LOOK_BACK},  {kVirtual, VK_DOWN, ID_LOOK_NEXT},
      {kVirtual, VK_UP, ID_LOOK_BACK},    {kVirtual | FCONTROL, 'I', ID_VIEW_INFO_PANE},
  };
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(expected[i].fVirt, keys[i].fVirt & 0x7f) << i;
    EXPECT_EQ(expected[i].key, keys[i].key) << i;
    EXPECT_EQ(expected[i].cmd, keys[i].cmd) << i;
  }
}

TEST(FrameResources, TitleAndClassNameStrings) {
  char text[100] = {};
  LoadStringA(GetModuleHandleA(nullptr), IDS_TITLE, text, sizeof text);
  EXPECT_STREQ("Tavune", text);
  LoadStringA(GetModuleHandleA(nullptr), IDR_MAIN, text, sizeof text);
  EXPECT_STREQ("TAVUNE", text);
}
