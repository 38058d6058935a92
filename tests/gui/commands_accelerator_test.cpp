// Every accelerator key reaches the main window as its command, through the message
// loop's translation; the virtual keys do nothing while Shift is held.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <mutex>

#include "frame_test_support.h"
#include "record/game_record.h"
#include "resource.h"

namespace {

std::mutex seenMutex;
std::vector<WPARAM> seenCommands;
HWND watchedWindow = nullptr;
HHOOK commandHook = nullptr;
HHOOK queueHook = nullptr;

LRESULT CALLBACK WatchCommands(int code, WPARAM wParam, LPARAM lParam) {
  auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_COMMAND && call->hwnd == watchedWindow) {
    std::lock_guard<std::mutex> lock(seenMutex);
    seenCommands.push_back(call->wParam);
  }
  return CallNextHookEx(commandHook, code, wParam, lParam);
}

// The barrier: an unknown command posted behind a key. When the loop takes it from the
// queue, the key before it has been handled completely.
LRESULT CALLBACK WatchQueue(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_COMMAND &&
      message->hwnd == watchedWindow && message->wParam == 131) {
    std::lock_guard<std::mutex> lock(seenMutex);
    seenCommands.push_back(message->wParam);
  }
  return CallNextHookEx(queueHook, code, wParam, lParam);
}

// Every WM_COMMAND sent to the main window while it lives, with its wParam, and the
// posted barrier command 131 when the loop takes it.
class CommandWatch {
 public:
  explicit CommandWatch(const AppHarness& app) {
    watchedWindow = app.Main();
    commandHook = SetWindowsHookExA(WH_CALLWNDPROC, WatchCommands, nullptr, app.ThreadId());
    queueHook = SetWindowsHookExA(WH_GETMESSAGE, WatchQueue, nullptr, app.ThreadId());
    EXPECT_NE(nullptr, commandHook);
    EXPECT_NE(nullptr, queueHook);
  }
  ~CommandWatch() {
    UnhookWindowsHookEx(commandHook);
    UnhookWindowsHookEx(queueHook);
    commandHook = queueHook = nullptr;
  }
  std::vector<WPARAM> Seen() const {
    std::lock_guard<std::mutex> lock(seenMutex);
    return seenCommands;
  }
  void Clear() {
    std::lock_guard<std::mutex> lock(seenMutex);
    seenCommands.clear();
  }
};

// The WM_COMMAND of an accelerator: the command id, 1 in the high word.
WPARAM FromKey(int id) { return MAKEWPARAM(id, 1); }

// Posts the key to the main window's queue, as the keyboard would, then an unknown command
// behind it; returns once the loop has handled both.
void PressKey(AppHarness& app, CommandWatch& watch, UINT message, WPARAM key, LPARAM flags) {
  watch.Clear();
  PostMessageA(app.Main(), message, key, flags);
  app.PostCommand(131);
  EXPECT_TRUE(WaitFor([&] {
    for (WPARAM seen : watch.Seen()) {
      if (seen == 131) return true;
    }
    return false;
  }));
}

int MainCursor(AppHarness& app) {
  int cursor = -2;
  app.OnUiThread([&] { cursor = gGameRecord->mainCursor; });
  return cursor;
}

// Holds a modifier in the program thread's keyboard state, which the accelerator
// translation reads, until it ends.
class HeldKey {
 public:
  HeldKey(AppHarness& app, std::initializer_list<int> keys) : app_(app) {
    app_.OnUiThread([&] {
      GetKeyboardState(before_);
      BYTE held[256];
      memcpy(held, before_, sizeof held);
      for (int key : keys) held[key] = 0x80;
      SetKeyboardState(held);
    });
  }
  ~HeldKey() {
    app_.OnUiThread([&] { SetKeyboardState(before_); });
  }

 private:
  AppHarness& app_;
  BYTE before_[256] = {};
};

constexpr LPARAM kKeyDown = 0x00000001;
constexpr LPARAM kAltHeld = 0x20000001;

const char kFourMoves[] = "(;B[pd];W[dd];B[pp];W[dp])";

}  // namespace

TEST(Accelerators, EveryVirtualKeyReachesTheMainWindowAsItsCommand) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(MakeRecordFile("keys", kFourMoves));
  CommandWatch watch(app);
  const struct {
    WPARAM key;
    int id;
    int cursorAfter;
  } keys[] = {
      {VK_HOME, ID_LOOK_HOME, 0}, {VK_RIGHT, ID_LOOK_NEXT, 1}, {VK_DOWN, ID_LOOK_NEXT, 2},
      {VK_LEFT, ID_LOOK_BACK, 1}, {VK_UP, ID_LOOK_BACK, 0},    {VK_END, ID_LOOK_END, 4},
      {VK_DELETE, ID_LOOK_DEL, 4},
  };
  for (const auto& k : keys) {
    PressKey(app, watch, WM_KEYDOWN, k.key, kKeyDown);
    EXPECT_EQ((std::vector<WPARAM>{FromKey(k.id), 131}), watch.Seen()) << k.key;
    EXPECT_EQ(k.cursorAfter, MainCursor(app)) << k.key;
  }
}

TEST(Accelerators, ShiftHeldKeepsTheArrowKeysFromActing) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(MakeRecordFile("shift", kFourMoves));
  CommandWatch watch(app);
  app.Command(ID_LOOK_HOME);
  {
    HeldKey shift(app, {VK_SHIFT, VK_LSHIFT});
    PressKey(app, watch, WM_KEYDOWN, VK_RIGHT, kKeyDown);
  }
  EXPECT_EQ(std::vector<WPARAM>{131}, watch.Seen());
  EXPECT_EQ(0, MainCursor(app));

  PressKey(app, watch, WM_KEYDOWN, VK_RIGHT, kKeyDown);
  EXPECT_EQ(1, MainCursor(app)) << "released again, the key acts";
}

TEST(Accelerators, AltSlashAndAltQuestionMarkOpenTheVersionDialog) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app;
  CommandWatch watch(app);
  for (WPARAM character : {WPARAM('/'), WPARAM('?')}) {
    TraceRecorder trace;
    watch.Clear();
    HWND dialog = nullptr;
    {
      HeldKey alt(app, {VK_MENU, VK_LMENU});
      PostMessageA(app.Main(), WM_SYSCHAR, character, kAltHeld);
      dialog = WaitForDialog(app);
    }
    ASSERT_NE(nullptr, dialog) << static_cast<char>(character);
    EXPECT_EQ(std::vector<WPARAM>{FromKey(IDM_ABOUT)}, watch.Seen());
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitForNoDialog(app));
    app.OnUiThread([] {});
    EXPECT_EQ((std::vector<std::string>{"Frame::OnCommand()\n", "Frame::OnCommandAbout()\n",
                                        "Frame::OnCommandAbout(IDOK)\n"}),
              FrameTraces(trace));
  }
}
