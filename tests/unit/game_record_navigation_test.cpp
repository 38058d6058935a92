#include <gtest/gtest.h>

#include <string>

#include "record/game_record.h"
#include "record_test_support.h"

namespace {

using record_test::CursorMove;
using record_test::RecordingViews;
using record_test::TempFolder;

using record_test::kCell;
using record_test::PixelOf;

// Ten stones on the diagonal, black first: no stone touches another, so the cells
// that change between Positions k - 1 and k are exactly point (k - 1, k - 1).
const char kTenMoves[] = "(;GM[1]SZ[19];B[aa];W[bb];B[cc];W[dd];B[ee];W[ff];B[gg];W[hh];B[ii];W[jj])";

std::string State(const GameRecord& r) {
  return "m=" + std::to_string(r.mainCursor) + " v=" + std::to_string(r.variationCursor) +
         " b=" + std::to_string(r.branchPoint) + " M=" + std::to_string(r.mainCount) +
         " V=" + std::to_string(r.variationCount);
}

// The repaint lines for a move between main-line Positions k - 1 and k of kTenMoves.
std::vector<std::string> DiagonalMove(int mode, int k) {
  return CursorMove(mode, k * kCell, k * kCell, (k + 1) * kCell, (k + 1) * kCell);
}

class Navigation : public ::testing::Test {
 protected:
  Navigation() { record.AttachViews(&views); }

  void LoadTenMoves() { record_test::LoadSgfText(record, folder, kTenMoves); }

  // M = 11, a variation of two Positions after main-line Position 3, cursor on the
  // variation's last Position; nothing recorded yet.
  void LoadWithVariationAfterThree() {
    LoadTenMoves();
    record.LookHome();
    for (int i = 0; i < 3; ++i) record.LookNext();
    record.PutStone(PixelOf(15), PixelOf(3));
    record.PutStone(PixelOf(3), PixelOf(15));
    views.calls.clear();
  }

  TempFolder folder;
  RecordingViews views{kCell};
  GameRecord record;
};

TEST_F(Navigation, AfterResetNoStepMovesTheCursorOrNotifies) {
  record.Reset();
  record.LookNext();
  record.LookBack();
  record.LookHome();
  record.LookEnd();
  record.LookDel();
  EXPECT_EQ(State(record), "m=0 v=-1 b=-1 M=1 V=0");
  EXPECT_EQ(record.LineLength(), 1);
  EXPECT_TRUE(views.calls.empty());
}

TEST_F(Navigation, LoadingTenMovesGivesElevenPositionsWithTheCursorOnTheLast) {
  LoadTenMoves();
  EXPECT_EQ(State(record), "m=10 v=-1 b=-1 M=11 V=0");
  EXPECT_EQ(&record.Current(), &PositionAt(record.mainLine, 10));
  EXPECT_EQ(record.LineLength(), 11);
  EXPECT_TRUE(views.calls.empty()) << "Load leaves the notification to its caller";
}

TEST_F(Navigation, LookNextOnTheMainLineStepsForwardAndStopsAtItsEnd) {
  LoadTenMoves();
  record.LookHome();
  views.calls.clear();
  record.LookNext();
  EXPECT_EQ(State(record), "m=1 v=-1 b=-1 M=11 V=0");
  EXPECT_EQ(views.calls, DiagonalMove(ID_NEXT_WHITE, 1));

  record.LookEnd();
  views.calls.clear();
  record.LookNext();
  EXPECT_EQ(State(record), "m=10 v=-1 b=-1 M=11 V=0");
  EXPECT_TRUE(views.calls.empty());
}

TEST_F(Navigation, LookNextFollowsTheVariationFromTheBranchPointToItsEnd) {
  LoadWithVariationAfterThree();
  record.LookHome();
  record.LookNext();
  EXPECT_EQ(State(record), "m=1 v=-1 b=3 M=11 V=2") << "before the branch point: m + 1";
  record.LookNext();
  record.LookNext();
  EXPECT_EQ(State(record), "m=3 v=-1 b=3 M=11 V=2");
  views.calls.clear();
  record.LookNext();
  EXPECT_EQ(State(record), "m=-1 v=0 b=3 M=11 V=2") << "at the branch point: into the variation";
  // Main-line Position 3 (white to play) to variation Position 0: white at (15, 3).
  EXPECT_EQ(views.calls, CursorMove(ID_NEXT_BLACK, 16 * kCell, 4 * kCell, 17 * kCell, 5 * kCell));
  record.LookNext();
  EXPECT_EQ(State(record), "m=-1 v=1 b=3 M=11 V=2");
  views.calls.clear();
  record.LookNext();
  EXPECT_EQ(State(record), "m=-1 v=1 b=3 M=11 V=2") << "end of the variation";
  EXPECT_TRUE(views.calls.empty());
}

TEST_F(Navigation, LookBackStepsBackThroughTheVariationOntoTheBranchPointAndStopsAtZero) {
  LoadWithVariationAfterThree();
  record.LookBack();
  EXPECT_EQ(State(record), "m=-1 v=0 b=3 M=11 V=2");
  record.LookBack();
  EXPECT_EQ(State(record), "m=3 v=-1 b=3 M=11 V=2");
  EXPECT_EQ(&record.Current(), &PositionAt(record.mainLine, 3));
  record.LookBack();
  record.LookBack();
  record.LookBack();
  EXPECT_EQ(State(record), "m=0 v=-1 b=3 M=11 V=2");
  views.calls.clear();
  record.LookBack();
  EXPECT_EQ(State(record), "m=0 v=-1 b=3 M=11 V=2");
  EXPECT_TRUE(views.calls.empty());
}

TEST_F(Navigation, LookBackOnTheMainLineNotifiesTheModeOfThePositionItReaches) {
  LoadTenMoves();
  record.LookBack();
  // Position 9 was followed by a white stone; the cell of Position 10's stone changes.
  EXPECT_EQ(views.calls, DiagonalMove(ID_NEXT_WHITE, 10));
}

TEST_F(Navigation, LookHomeGoesToPositionZeroAndKeepsTheVariation) {
  LoadWithVariationAfterThree();
  record.LookHome();
  EXPECT_EQ(State(record), "m=0 v=-1 b=3 M=11 V=2");
  // From variation Position 1 back to the empty board: one box over every stone.
  EXPECT_EQ(views.calls, CursorMove(ID_NEXT_BLACK, 1 * kCell, 1 * kCell, 17 * kCell, 17 * kCell));
  views.calls.clear();
  record.LookHome();
  EXPECT_TRUE(views.calls.empty()) << "already on Position 0";
}

TEST_F(Navigation, LookHomeNotifiesEvenWhenTheBoardLooksTheSame) {
  // Position 2 is empty again, like Position 0, but it is another Position.
  record_test::LoadSgfText(record, folder, "B[aa]E[aa]");
  ASSERT_EQ(State(record), "m=2 v=-1 b=-1 M=3 V=0");
  record.LookHome();
  // The empty box: left and top 20 cells, right and bottom 2 cells.
  EXPECT_EQ(views.calls, CursorMove(ID_NEXT_BLACK, 20 * kCell, 20 * kCell, 2 * kCell, 2 * kCell));
}

TEST_F(Navigation, LookEndGoesToTheEndOfTheMainLineWithoutAVariation) {
  LoadTenMoves();
  record.LookHome();
  views.calls.clear();
  record.LookEnd();
  EXPECT_EQ(State(record), "m=10 v=-1 b=-1 M=11 V=0");
  EXPECT_EQ(views.calls, CursorMove(ID_NEXT_BLACK, kCell, kCell, 11 * kCell, 11 * kCell));
}

TEST_F(Navigation, LookEndGoesToTheEndOfTheVariationFromAnywhere) {
  LoadWithVariationAfterThree();
  record.LookHome();
  record.LookEnd();
  EXPECT_EQ(State(record), "m=-1 v=1 b=3 M=11 V=2") << "from before the branch point";
  record.LookBack();
  record.LookBack();
  record.LookEnd();
  EXPECT_EQ(State(record), "m=-1 v=1 b=3 M=11 V=2") << "from the branch point";
  record.LookBack();
  record.LookEnd();
  EXPECT_EQ(State(record), "m=-1 v=1 b=3 M=11 V=2") << "from inside the variation";
  views.calls.clear();
  record.LookEnd();
  EXPECT_TRUE(views.calls.empty()) << "already there";
}

TEST_F(Navigation, LookDelInTheVariationReturnsToTheBranchPoint) {
  LoadWithVariationAfterThree();
  record.LookDel();
  EXPECT_EQ(State(record), "m=3 v=-1 b=-1 M=11 V=0");
  EXPECT_EQ(views.calls, CursorMove(ID_NEXT_WHITE, 4 * kCell, 4 * kCell, 17 * kCell, 17 * kCell));
  EXPECT_EQ(record.LineLength(), 11);
  record.LookNext();
  EXPECT_EQ(&record.Current(), &PositionAt(record.mainLine, 4));
  EXPECT_EQ(record.variationLine.size(), 2u) << "the Positions stay in the pool for reuse";
}

TEST_F(Navigation, LookDelOnTheMainLineDropsTheVariationButLeavesTheCursorSilently) {
  LoadWithVariationAfterThree();
  record.LookBack();
  record.LookBack();
  record.LookBack();
  views.calls.clear();
  Position& before = record.Current();
  record.LookDel();
  EXPECT_EQ(State(record), "m=2 v=-1 b=-1 M=11 V=0");
  EXPECT_EQ(&record.Current(), &before);
  EXPECT_TRUE(views.calls.empty());
}

TEST_F(Navigation, LookDelWithoutAVariationDoesNothing) {
  LoadTenMoves();
  record.LookBack();
  views.calls.clear();
  record.LookDel();
  EXPECT_EQ(State(record), "m=9 v=-1 b=-1 M=11 V=0");
  EXPECT_TRUE(views.calls.empty());
}

TEST_F(Navigation, TheLineThroughTheVariationIsTheMainLineUpToTheBranchPointThenTheVariation) {
  LoadWithVariationAfterThree();
  EXPECT_EQ(record.LineLength(), 6);
  EXPECT_EQ(&record.LinePositionAt(3), &PositionAt(record.mainLine, 3));
  EXPECT_EQ(&record.LinePositionAt(4), &PositionAt(record.variationLine, 0));
  EXPECT_EQ(&record.LinePositionAt(5), &PositionAt(record.variationLine, 1));
  record.LookHome();
  EXPECT_EQ(record.LineLength(), 6) << "the cursor plays no part";
}

TEST_F(Navigation, WithoutViewsTheRecordStillMovesAndTellsNobody) {
  record.AttachViews(nullptr);
  LoadTenMoves();
  record.LookHome();
  record.LookNext();
  record.PutStone(PixelOf(18), PixelOf(18));
  record.LookEnd();
  record.LookDel();
  EXPECT_EQ(State(record), "m=1 v=-1 b=-1 M=11 V=0");
  EXPECT_TRUE(views.calls.empty());
}

TEST_F(Navigation, LoadAfterALongVariationHidesItAndTheNextEntryOverwritesItsFirstPosition) {
  LoadTenMoves();
  for (int i = 0; i < 3; ++i) record.PutStone(PixelOf(18 - i), PixelOf(0));
  ASSERT_EQ(record.variationCount, 3);
  record_test::LoadSgfText(record, folder, "B[pd]W[dp]", "other.sgf");
  EXPECT_EQ(State(record), "m=2 v=-1 b=-1 M=3 V=0");
  EXPECT_EQ(record.variationLine.size(), 3u);

  record.PutStone(PixelOf(10), PixelOf(10));
  Position expected = PositionAt(record.mainLine, 2);
  expected.Set(10, 10, Black);
  expected.nextMode = ID_NEXT_WHITE;
  expected.lastX = 10;
  expected.lastY = 10;
  const Position& entered = PositionAt(record.variationLine, 0);
  EXPECT_TRUE(record_test::SameCells(entered, expected)) << record_test::Drawn(entered);
  EXPECT_EQ(entered.nextMode, ID_NEXT_WHITE);
  EXPECT_EQ(State(record), "m=-1 v=0 b=2 M=3 V=1");
}

TEST_F(Navigation, AShorterRecordAfterALongerOneLeavesTheLaterPositionsHidden) {
  LoadTenMoves();
  const Position* oldFifth = &PositionAt(record.mainLine, 5);
  record_test::LoadSgfText(record, folder, "W[ss]B[as]", "short.sgf");
  EXPECT_EQ(State(record), "m=2 v=-1 b=-1 M=3 V=0");
  EXPECT_GE(record.mainLine.size(), 11u);
  EXPECT_EQ(&PositionAt(record.mainLine, 5), oldFifth);
  const Position& last = record.Current();
  EXPECT_EQ(last.At(18, 18), White);
  EXPECT_EQ(last.At(0, 18), Black);
  EXPECT_EQ(last.At(0, 0), Empty) << "nothing of the longer record shows through";
  record.LookHome();
  record.LookEnd();
  EXPECT_EQ(&record.Current(), &last);
}

TEST(GameRecordInstance, TheConstructorMakesItTheGlobalRecordAndTheDestructorLetsGo) {
  {
    GameRecord first;
    EXPECT_EQ(gGameRecord, &first);
    EXPECT_EQ(State(first), "m=0 v=-1 b=-1 M=1 V=0");
    EXPECT_EQ(first.Current().nextMode, ID_NEXT_BLACK);
  }
  EXPECT_EQ(gGameRecord, nullptr);
}

}  // namespace
