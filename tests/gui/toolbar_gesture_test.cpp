// The next-move toolbar's mouse gesture: press, drag and release with the capture, and
// what reaches the menu and the record at the release.
#include <gtest/gtest.h>

#include "record/game_record.h"
#include "view/board_layout.h"
#include "view/child_toolbar.h"
#include "view_test_support.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
// Pixels inside each button, and one below every button.
const LPARAM kOnNextWhite = At(10, 50);
const LPARAM kOnBlackMany = At(10, 80);
const LPARAM kOnWhiteMany = At(10, 120);
const LPARAM kBelowButtons = At(10, 150);

const RECT kButtonRects[] = {{2, 2, 34, 34}, {2, 36, 34, 68}, {2, 70, 34, 102}, {2, 104, 34, 136}};
RECT ButtonRect(int mode) { return kButtonRects[mode - ID_NEXT_BLACK]; }

// What the three places that hold a mode hold: toolbar, menu, current Position.
struct Modes {
  int toolbar;
  int menu;
  int record;
};

bool operator==(const Modes& a, const Modes& b) {
  return a.toolbar == b.toolbar && a.menu == b.menu && a.record == b.record;
}

void PrintTo(const Modes& m, std::ostream* out) {
  *out << "{toolbar " << m.toolbar << ", menu " << m.menu << ", record " << m.record << "}";
}

Modes ModesNow() {
  return Modes{gChildToolbar->Mode(), gBoardLayout->MenuMode(), gGameRecord->Current().nextMode};
}

// What a toolbar message leaves behind.
struct After {
  Modes modes;
  HWND capture;
};

// Sends the message to the toolbar and reads the result in the same step on the
// program's thread, before the mouse moves that the system posts when the capture
// changes can run (they carry the real pointer's position).
After Send(AppHarness& app, UINT message, LPARAM position) {
  After after{};
  app.OnUiThread([&] {
    SendMessageA(app.Toolbar(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, position);
    after = After{ModesNow(), GetCapture()};
  });
  return after;
}

Modes ModesNow(AppHarness& app) {
  Modes modes{};
  app.OnUiThread([&] { modes = ModesNow(); });
  return modes;
}

// The toolbar's own texts, without the paints that may come between.
std::vector<std::string> GestureTexts(const TraceRecorder& trace) {
  std::vector<std::string> texts;
  for (const std::string& text : trace.Texts()) {
    if (text.rfind("ChildToolbar::", 0) == 0 && text != "ChildToolbar::OnPaint()\n") {
      texts.push_back(text);
    }
  }
  return texts;
}

// The texts of one gesture: the press, the moves (at least moves of them; the system
// adds moves of its own when the capture changes), then the release.
void ExpectGesture(const TraceRecorder& trace, size_t moves) {
  const std::vector<std::string> texts = GestureTexts(trace);
  ASSERT_GE(texts.size(), moves + 2);
  EXPECT_EQ(texts.front(), "ChildToolbar::OnLButtonDown()\n");
  EXPECT_EQ(texts.back(), "ChildToolbar::OnLButtonUp()\n");
  for (size_t i = 1; i + 1 < texts.size(); ++i) {
    EXPECT_EQ(texts[i], "ChildToolbar::OnMouseMove()\n") << i;
  }
}

}  // namespace

TEST(ToolbarGesture, AClickOnABlackManyButtonSelectsItAtTheRelease) {
  ViewHarness app(ID_VIEW_MIDDLE);
  app.PaintNow();
  TraceRecorder trace;
  bool invalidated = false;
  After press{};
  app.OnUiThread([&] {
    UpdateWindow(app.Toolbar());
    SendMessageA(app.Toolbar(), WM_LBUTTONDOWN, MK_LBUTTON, kOnBlackMany);
    invalidated = UpdateRegionNowIs(app.Toolbar(), {ButtonRect(136), ButtonRect(138)});
    press = After{ModesNow(), GetCapture()};
  });
  // Until the release only the toolbar shows the new mode.
  EXPECT_EQ(press.modes, (Modes{138, 136, 136}));
  EXPECT_EQ(press.capture, app.Toolbar());
  EXPECT_TRUE(invalidated);

  const After release = Send(app, WM_LBUTTONUP, kOnBlackMany);
  EXPECT_EQ(release.modes, (Modes{138, 138, 138}));
  EXPECT_EQ(release.capture, nullptr);
  EXPECT_TRUE(NextMoveChecked(app, ID_NEXT_BLACK_MANY));
  EXPECT_FALSE(NextMoveChecked(app, ID_NEXT_BLACK));
  ExpectGesture(trace, 0);
}

TEST(ToolbarGesture, ADragThatEndsOutsideEveryButtonRestoresTheModeAtPress) {
  ViewHarness app(ID_VIEW_MIDDLE);
  // Let the menu and the record disagree with the toolbar, so that the release is seen
  // to set them even though the toolbar ends where it began.
  app.OnUiThread([&] {
    gBoardLayout->SetNextMoveMode(ID_NEXT_WHITE_MANY);
    gGameRecord->Current().nextMode = ID_NEXT_WHITE_MANY;
  });
  TraceRecorder trace;

  EXPECT_EQ(Send(app, WM_LBUTTONDOWN, kOnNextWhite).modes, (Modes{137, 139, 139}));
  EXPECT_EQ(Send(app, WM_MOUSEMOVE, kOnBlackMany).modes, (Modes{138, 139, 139}));
  EXPECT_EQ(Send(app, WM_MOUSEMOVE, kBelowButtons).modes, (Modes{136, 139, 139}));
  EXPECT_EQ(Send(app, WM_MOUSEMOVE, kOnNextWhite).modes, (Modes{137, 139, 139}));
  // Left of the window while the capture is held: a large unsigned x, no button.
  EXPECT_EQ(Send(app, WM_MOUSEMOVE, At(-5, 50)).modes, (Modes{136, 139, 139}));

  const After release = Send(app, WM_LBUTTONUP, kBelowButtons);
  EXPECT_EQ(release.modes, (Modes{136, 136, 136}));
  EXPECT_EQ(release.capture, nullptr);
  EXPECT_TRUE(NextMoveChecked(app, ID_NEXT_BLACK));

  ExpectGesture(trace, 4);
}

TEST(ToolbarGesture, MovesWithoutTheCaptureDoNothing) {
  ViewHarness app(ID_VIEW_MIDDLE);
  TraceRecorder trace;
  EXPECT_EQ(Send(app, WM_MOUSEMOVE, kOnWhiteMany).modes.toolbar, ID_NEXT_BLACK);
  EXPECT_TRUE(GestureTexts(trace).empty());
  // After a finished gesture the capture is gone as well.
  Send(app, WM_LBUTTONDOWN, kOnNextWhite);
  Send(app, WM_LBUTTONUP, kOnNextWhite);
  trace.Clear();
  EXPECT_EQ(Send(app, WM_MOUSEMOVE, kOnWhiteMany).modes.toolbar, ID_NEXT_WHITE);
  EXPECT_TRUE(GestureTexts(trace).empty());
}

TEST(ToolbarGesture, AReleaseAfterPressingElsewhereIsHandledAsARelease) {
  ViewHarness app(ID_VIEW_MIDDLE);
  // No press on the toolbar yet: over a button the release selects that button.
  EXPECT_EQ(Send(app, WM_LBUTTONUP, kOnWhiteMany).modes, (Modes{139, 139, 139}));
  // Elsewhere it falls back on the mode at the latest press, 136 as there was none.
  EXPECT_EQ(Send(app, WM_LBUTTONUP, kBelowButtons).modes, (Modes{136, 136, 136}));
  // After a press in mode 137 the fallback is 137.
  Send(app, WM_LBUTTONUP, kOnNextWhite);
  Send(app, WM_LBUTTONDOWN, kOnNextWhite);
  Send(app, WM_LBUTTONUP, kOnNextWhite);
  Send(app, WM_LBUTTONUP, kOnWhiteMany);
  EXPECT_EQ(Send(app, WM_LBUTTONUP, At(35, 120)).modes, (Modes{137, 137, 137}));
}

TEST(ToolbarGesture, MarginsAndGapsHitNoButton) {
  ViewHarness app(ID_VIEW_MIDDLE);
  Send(app, WM_LBUTTONDOWN, kOnWhiteMany);
  Send(app, WM_LBUTTONUP, kOnWhiteMany);
  app.PaintNow();
  for (LPARAM position : {At(1, 10), At(20, 35), At(34, 80), At(20, 136)}) {
    RECT update{1, 1, 1, 1};
    Modes modes{};
    app.OnUiThread([&] {
      UpdateWindow(app.Toolbar());
      SendMessageA(app.Toolbar(), WM_LBUTTONDOWN, MK_LBUTTON, position);
      update = UpdateRectNow(app.Toolbar());
      SendMessageA(app.Toolbar(), WM_LBUTTONUP, 0, position);
      modes = ModesNow();
    });
    EXPECT_EQ(update, RECT{}) << LOWORD(position) << ", " << HIWORD(position);
    EXPECT_EQ(modes, (Modes{139, 139, 139})) << LOWORD(position) << ", " << HIWORD(position);
  }
}

TEST(ToolbarSetMode, TheCurrentModeInvalidatesNothingAnotherOneBothButtons) {
  ViewHarness app(ID_VIEW_MIDDLE);
  app.PaintNow();
  RECT update{1, 1, 1, 1};
  app.OnUiThread([&] {
    UpdateWindow(app.Toolbar());
    gChildToolbar->SetMode(ID_NEXT_BLACK);
    update = UpdateRectNow(app.Toolbar());
  });
  EXPECT_EQ(update, RECT{});

  bool both = false;
  app.OnUiThread([&] {
    UpdateWindow(app.Toolbar());
    gChildToolbar->SetMode(ID_NEXT_WHITE_MANY);
    both = UpdateRegionNowIs(app.Toolbar(), {ButtonRect(136), ButtonRect(139)});
  });
  EXPECT_TRUE(both);
  EXPECT_EQ(gChildToolbar->Mode(), ID_NEXT_WHITE_MANY);
  // SetMode alone leaves the menu and the record to its callers.
  EXPECT_EQ(ModesNow(app), (Modes{139, 136, 136}));
}
