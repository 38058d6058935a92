// Thousands of random user actions on the real windows. After each one the record keeps
// its invariants, the menu, the toolbar and the record agree on the mode, and the board
// shows exactly the current Position; the program's GDI and USER objects do not pile up.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "drawing/view_size_table.h"
#include "frame_test_support.h"
#include "record/game_record.h"
#include "resource.h"
#include "view/board_layout.h"
#include "view/child_toolbar.h"
#include "view_test_support.h"

namespace {

constexpr int kActions = 5000;

// GetGuiResources where the system counts for us; Wine answers 0, so there the live
// handles of the 16-bit handle space are counted instead (both accept a bare index).
int LiveGdiObjects() {
  DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted) return static_cast<int>(counted);
  int live = 0;
  for (ULONG_PTR index = 1; index < 0x10000; ++index) {
    live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
  }
  return live;
}

int LiveUserObjects() {
  DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (counted) return static_cast<int>(counted);
  int live = 0;
  for (ULONG_PTR index = 1; index < 0x10000; ++index) {
    live += IsWindow(reinterpret_cast<HWND>(index)) || IsMenu(reinterpret_cast<HMENU>(index));
  }
  return live;
}

// A game of random moves in SGF, with captures as they fall; the reader skips moves onto
// occupied points.
std::string RandomSgf(std::mt19937& random, int moves) {
  std::ostringstream text;
  text << "(;GM[1]SZ[19]";
  std::uniform_int_distribution<int> coordinate(0, 18);
  for (int i = 0; i < moves; ++i) {
    text << ';' << (i % 2 ? 'W' : 'B') << '[' << char('a' + coordinate(random))
         << char('a' + coordinate(random)) << ']';
  }
  text << ')';
  return text.str();
}

std::string RandomUgf(std::mt19937& random, int moves) {
  std::ostringstream text;
  text << "[Header]\r\nLang=JP\r\n[Data]\r\n";
  std::uniform_int_distribution<int> coordinate(0, 18);
  for (int i = 0; i < moves; ++i) {
    text << char('A' + coordinate(random)) << char('A' + coordinate(random)) << ','
         << (i % 2 ? 'W' : 'B') << i + 1 << ",0\r\n";
  }
  return text.str();
}

std::vector<std::string> MakeRecords(std::mt19937& random) {
  std::string folder = MakeTempFolder("soak");
  std::vector<std::string> paths;
  for (int i = 0; i < 4; ++i) {
    paths.push_back(folder + "\\game" + std::to_string(i) + ".sgf");
    WriteFileBytes(paths.back(), RandomSgf(random, 60 + 80 * i));
  }
  paths.push_back(folder + "\\panda.ugf");
  WriteFileBytes(paths.back(), RandomUgf(random, 150));
  return paths;
}

// What went wrong with the record's own bookkeeping, or an empty string.
std::string BrokenInvariant(GameRecord& record) {
  const int m = record.mainCursor, v = record.variationCursor, b = record.branchPoint;
  const int M = record.mainCount, V = record.variationCount;
  if ((m == -1) == (v == -1)) return "exactly one cursor must be -1";
  if (M < 1 || static_cast<int>(record.mainLine.size()) < M) return "main count";
  if (static_cast<int>(record.variationLine.size()) < V) return "variation count";
  if ((b == -1) != (V == 0)) return "branch point without variation or the reverse";
  if (b >= 0 && (b > M - 1 || V < 1)) return "branch point out of the main line";
  if (m >= 0 && (m > M - 1 || (b >= 0 && m > b))) return "main cursor out of range";
  if (v >= 0 && (b < 0 || v > V - 1)) return "variation cursor out of range";
  const int mode = record.Current().nextMode;
  if (mode < ID_NEXT_BLACK || mode > ID_NEXT_WHITE_MANY) return "mode of the current Position";
  return "";
}

class Soak {
 public:
  Soak() : app_(ID_VIEW_SMALL_VERY), random_(20261207), records_(MakeRecords(random_)) {
    app_.OnUiThread([&] { cell_ = gBoardLayout->CellSize(); });
  }

  AppHarness& App() { return app_; }

  void RandomAction() {
    // Weights out of 100: mostly clicks and keys, as a user replaying and branching does.
    const int roll = Pick(100);
    if (roll < 35) {
      Release(WM_LBUTTONUP);
    } else if (roll < 45) {
      Release(WM_RBUTTONUP);
    } else if (roll < 75) {
      Key();
    } else if (roll < 85) {
      ToolbarGesture();
    } else if (roll < 89) {
      app_.Command(ID_NEXT_BLACK + Pick(4));
    } else if (roll < 92) {
      app_.Command(kViewSizes[Pick(5)]);
    } else if (roll < 95) {
      app_.Command(ID_FILE_NEW);
    } else if (Pick(8) == 0) {
      Open();  // the dialog is slow under Wine: one open in eight goes through it
    } else {
      Drop();
    }
  }

  // After an action, in one trip to the program's thread, for thousands of trips cost
  // more than the checks: the pending paint is done, the record's invariants and the menu
  // and toolbar are checked (into broken), and what the board shows is read for
  // ScreenMismatch.
  void Look(std::string* broken) {
    app_.OnUiThread([&] {
      RedrawWindow(app_.Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      *broken = Consistency();
      cell_ = gBoardLayout->CellSize();
      sheetId_ = gBoardLayout->TileBitmapId();
      shown_.CopyFrom(gGameRecord->Current());
      ReadWindowPixels(app_.Board(), &board_);
    });
  }

  // The first point whose cell on the screen, as Look read it, is not its tile from the
  // sheet, or "".
  std::string ScreenMismatch() {
    const int cell = cell_;
    if (sheetId_ != sheetOf_) {
      sheet_ = ResourcePixels(sheetId_);
      sheetOf_ = sheetId_;
    }
    if (board_.Width() != 20 * cell || board_.Height() != 20 * cell) return "board size";
    for (int y = 0; y < kBoardSize; ++y) {
      for (int x = 0; x < kBoardSize; ++x) {
        int column = 0, row = 0;
        shown_.TileOf(x, y, &column, &row);
        if (!board_.SamePart((x + 1) * cell, (y + 1) * cell, sheet_, column * cell, row * cell, cell, cell)) {
          return "point (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
      }
    }
    return "";
  }

 private:
  // The record's invariants, and the menu and toolbar in step with the current Position;
  // on the program's thread.
  std::string Consistency() {
    std::string broken = BrokenInvariant(*gGameRecord);
    if (!broken.empty()) return broken;
    const int mode = gGameRecord->Current().nextMode;
    if (gBoardLayout->MenuMode() != mode) broken = "menu mode differs from the record's";
    if (gChildToolbar->Mode() != mode) broken = "toolbar mode differs from the record's";
    const UINT state = GetMenuState(GetSubMenu(GetMenu(app_.Main()), 2), mode, MF_BYCOMMAND);
    if (!(state & MF_CHECKED)) broken = "the mode's menu entry is not checked";
    return broken;
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  // A button released anywhere on the board window, labels included.
  void Release(UINT message) {
    // The cell as the last look saw it: only a command changes it, and a look ends each action.
    const int side = 20 * cell_;
    SendMessageA(app_.Board(), message, 0, MAKELPARAM(Pick(side), Pick(side)));
  }

  void Key() {
    static const WPARAM keys[] = {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP,
                                  VK_HOME,  VK_END,   VK_DELETE};
    PostMessageA(app_.Main(), WM_KEYDOWN, keys[Pick(8)], 1);
    app_.DrainPosted();
  }

  // Press, a few moves and a release, each anywhere on the toolbar or beyond its edges.
  void ToolbarGesture() {
    auto anywhere = [&] { return MAKELPARAM(Pick(60) - 10, Pick(180) - 10); };
    SendMessageA(app_.Toolbar(), WM_LBUTTONDOWN, MK_LBUTTON, anywhere());
    for (int moves = Pick(4); moves > 0; --moves) {
      SendMessageA(app_.Toolbar(), WM_MOUSEMOVE, MK_LBUTTON, anywhere());
    }
    SendMessageA(app_.Toolbar(), WM_LBUTTONUP, 0, anywhere());
  }

  // A generated record dropped on the board.
  void Drop() {
    const std::string& path = records_[Pick(static_cast<int>(records_.size()))];
    SendMessageA(app_.Board(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({path})), 0);
  }

  // Open through the real dialog, as the user would.
  void Open() {
    app_.PostCommand(ID_FILE_OPEN);
    HWND dialog = WaitForDialog(app_);
    ASSERT_NE(nullptr, dialog) << "the Open dialog did not appear";
    ChooseFile(dialog, records_[Pick(static_cast<int>(records_.size()))]);
    ASSERT_TRUE(WaitForNoDialog(app_)) << "the Open dialog did not close";
    app_.DrainPosted();
  }

  ViewHarness app_;
  std::mt19937 random_;
  std::vector<std::string> records_;
  PixelBlock sheet_;
  int sheetOf_ = 0;  // the bitmap id that sheet_ holds
  // What Look saw; the board is read into the same memory each time.
  int cell_ = 0;
  int sheetId_ = 0;
  Position shown_{};
  PixelBlock board_;
};

TEST(Soak, FiveThousandRandomActionsKeepRecordScreenAndHandlesSound) {
  Soak soak;
  int gdiAtStart = 0, userAtStart = 0;
  for (int action = 1; action <= kActions; ++action) {
    // Counted once the dialogs have been shown and the system has made what it keeps.
    if (action == kActions / 10) {
      gdiAtStart = LiveGdiObjects();
      userAtStart = LiveUserObjects();
    }
    soak.RandomAction();
    if (HasFatalFailure()) return;
    std::string broken;
    soak.Look(&broken);
    ASSERT_EQ("", broken) << "after action " << action;
    const std::string mismatch = soak.ScreenMismatch();
    ASSERT_EQ("", mismatch) << "the screen differs from the record after action " << action;
  }
  // A little slack for what the system may still cache; a leak per paint or per action
  // would add thousands.
  EXPECT_LE(LiveGdiObjects(), gdiAtStart + 16);
  EXPECT_LE(LiveUserObjects(), userAtStart + 8);
}

}  // namespace
