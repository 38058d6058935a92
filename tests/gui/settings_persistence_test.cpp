// Window settings through the registry: validation of each stored field, values of the
// wrong kind, persistence across runs, and a close while minimised.
#include <gtest/gtest.h>

#include <cstring>

#include "app/window_settings.h"
#include "frame_test_support.h"
#include "resource.h"
#include "view/board_layout.h"

namespace {

struct Read {
  LONG left, top;
  int viewSize;
  RECT window;
};

// Starts the program, takes what its settings read and where its window stands, closes it.
Read StartAndLook() {
  AppHarness app;
  Read read{};
  app.OnUiThread([&] {
    read.left = gWindowSettings->left;
    read.top = gWindowSettings->top;
    read.viewSize = gBoardLayout->ViewSize();
  });
  read.window = ScreenRect(app.Main());
  app.Close();
  return read;
}

void StoreRaw(const char* name, DWORD type, const void* bytes, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Orvenda\\Tavune", &key));
  RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), size);
  RegCloseKey(key);
}

DWORD Stored(const char* name) {
  DWORD value = 0xdeadbeef;
  EXPECT_TRUE(ReadSettingDword(name, &value)) << name;
  return value;
}

const int kScreenWidth = GetSystemMetrics(SM_CXSCREEN);
const int kScreenHeight = GetSystemMetrics(SM_CYSCREEN);

}  // namespace

TEST(SettingsRegistry, ValuesInRangeArePlacedAsStored) {
  StoreSettings(kScreenWidth - 101, kScreenHeight - 101, ID_VIEW_SMALL_VERY);
  Read read = StartAndLook();
  EXPECT_EQ(kScreenWidth - 101, read.left);
  EXPECT_EQ(kScreenHeight - 101, read.top);
  EXPECT_EQ(ID_VIEW_SMALL_VERY, read.viewSize);
  EXPECT_EQ(kScreenWidth - 101, read.window.left);
  EXPECT_EQ(kScreenHeight - 101, read.window.top);
}

TEST(SettingsRegistry, EachFieldOutOfRangeResetsOnlyItself) {
  StoreSettings(kScreenWidth - 100, 40, ID_VIEW_LARGE_VERY);
  Read read = StartAndLook();
  EXPECT_EQ(0, read.left);
  EXPECT_EQ(40, read.top);
  EXPECT_EQ(ID_VIEW_LARGE_VERY, read.viewSize);

  StoreSettings(30, static_cast<DWORD>(-1), ID_VIEW_SMALL);
  read = StartAndLook();
  EXPECT_EQ(30, read.left);
  EXPECT_EQ(0, read.top);
  EXPECT_EQ(ID_VIEW_SMALL, read.viewSize);

  StoreSettings(static_cast<DWORD>(-1), kScreenHeight - 100, 146);
  read = StartAndLook();
  EXPECT_EQ(0, read.left);
  EXPECT_EQ(0, read.top);
  EXPECT_EQ(ID_VIEW_LARGE_VERY, read.viewSize);

  for (DWORD size : {135u, 145u, 148u}) {
    StoreSettings(20, 10, size);
    read = StartAndLook();
    EXPECT_EQ(20, read.left);
    EXPECT_EQ(10, read.top);
    EXPECT_EQ(ID_VIEW_MIDDLE, read.viewSize) << size;
  }
  StoreSettings(20, 10, 147);
  EXPECT_EQ(ID_VIEW_SMALL_VERY, StartAndLook().viewSize);
}

TEST(SettingsRegistry, AValueMissingOrOfAnotherKindLeavesItsDefault) {
  DeleteSettingsKey();
  WriteSettingDword("WindowTop", 50);
  Read read = StartAndLook();
  EXPECT_EQ(0, read.left);
  EXPECT_EQ(50, read.top);
  EXPECT_EQ(ID_VIEW_MIDDLE, read.viewSize);

  // Four bytes of the right number, but not a REG_DWORD.
  DeleteSettingsKey();
  DWORD left = 300, top = 200, size = ID_VIEW_SMALL;
  StoreRaw("WindowLeft", REG_BINARY, &left, 4);
  StoreRaw("WindowTop", REG_DWORD_BIG_ENDIAN, &top, 4);
  StoreRaw("WindowSize", REG_SZ, "134", 4);
  read = StartAndLook();
  EXPECT_EQ(0, read.left);
  EXPECT_EQ(0, read.top);
  EXPECT_EQ(ID_VIEW_MIDDLE, read.viewSize);

  // A REG_DWORD that is not four bytes long.
  DeleteSettingsKey();
  unsigned char twoBytes[2] = {0x2c, 0x01};  // 300
  unsigned long long eightBytes = 250;
  StoreRaw("WindowLeft", REG_DWORD, twoBytes, 2);
  StoreRaw("WindowTop", REG_DWORD, &eightBytes, 8);
  WriteSettingDword("WindowSize", ID_VIEW_LARGE);
  read = StartAndLook();
  EXPECT_EQ(0, read.left);
  EXPECT_EQ(0, read.top);
  EXPECT_EQ(ID_VIEW_LARGE, read.viewSize);
  // The run writes proper values back.
  EXPECT_EQ(0u, Stored("WindowLeft"));
  EXPECT_EQ(0u, Stored("WindowTop"));
}

TEST(SettingsPersistence, PositionAndViewSizeCarryOverToTheNextRun) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  {
    AppHarness app;
    app.OnUiThread([&] { SetWindowPos(app.Main(), nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER); });
    app.Command(ID_VIEW_LARGE_VERY);
    EXPECT_EQ(0, app.Close());
  }
  EXPECT_EQ(120u, Stored("WindowLeft"));
  EXPECT_EQ(90u, Stored("WindowTop"));
  EXPECT_EQ(static_cast<DWORD>(ID_VIEW_LARGE_VERY), Stored("WindowSize"));

  AppHarness again;
  RECT outer = ScreenRect(again.Main());
  EXPECT_EQ(120, outer.left);
  EXPECT_EQ(90, outer.top);
  SIZE client = ClientSize(again.Main());
  EXPECT_EQ(36 + 960, client.cx);
  EXPECT_EQ(960, client.cy);
  EXPECT_EQ(std::vector<std::string>{"最大 (&G)"}, CheckedLabels(again.Main(), 1));
}

TEST(SettingsPersistence, AWindowPartlyOffTheScreenStoresANegativeLeftAndOpensAtZero) {
  StoreSettings(0, 0, ID_VIEW_SMALL);
  {
    AppHarness app;
    app.OnUiThread([&] { SetWindowPos(app.Main(), nullptr, -30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER); });
    app.Close();
  }
  EXPECT_EQ(static_cast<DWORD>(-30), Stored("WindowLeft"));
  Read read = StartAndLook();
  EXPECT_EQ(0, read.left);
  EXPECT_EQ(40, read.top);
}

TEST(SettingsPersistence, AClosingWhileMinimisedKeepsTheValuesReadAtStart) {
  // Read as (0, 60, 133) after validation; that is what the run writes back.
  StoreSettings(static_cast<DWORD>(-5), 60, 135);
  {
    AppHarness app;
    app.Command(ID_VIEW_LARGE);
    app.OnUiThread([&] { ShowWindow(app.Main(), SW_MINIMIZE); });
    ASSERT_TRUE(WaitFor([&] { return IsIconic(app.Main()) != FALSE; }));
    EXPECT_EQ(0, app.Close());
  }
  EXPECT_EQ(0u, Stored("WindowLeft"));
  EXPECT_EQ(60u, Stored("WindowTop"));
  EXPECT_EQ(static_cast<DWORD>(ID_VIEW_MIDDLE), Stored("WindowSize"));
}
