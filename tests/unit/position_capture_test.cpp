#include <gtest/gtest.h>

#include "record/position.h"
#include "record_test_support.h"

namespace {

using record_test::Board;
using record_test::Drawn;
using record_test::Rows;

// Sets stone at (x, y) on a copy of p and applies the capture rule there.
Position Play(Position p, int x, int y, Stone stone) {
  p.Set(x, y, stone);
  p.Capture(x, y);
  return p;
}

TEST(Position, ClearGivesAnEmptyBoardWithBlackToPlayAndTheOriginAsLastPoint) {
  Position p = Board({"X O X", "O X O"});
  p.nextMode = ID_NEXT_WHITE_MANY;
  p.lastX = 7;
  p.lastY = 9;
  p.Clear();
  EXPECT_EQ(p.nextMode, ID_NEXT_BLACK);
  EXPECT_EQ(p.lastX, 0);
  EXPECT_EQ(p.lastY, 0);
  for (const Stone cell : p.cells) EXPECT_EQ(cell, Empty);
}

TEST(Position, CopyFromTakesModeLastPointAndEveryCell) {
  Position source = Board({". . X", "O"});
  source.Set(18, 18, White);
  source.nextMode = ID_NEXT_BLACK_MANY;
  source.lastX = 18;
  source.lastY = 18;
  Position copy = Board({"X X X X X X X"});
  copy.CopyFrom(source);
  EXPECT_EQ(copy.nextMode, ID_NEXT_BLACK_MANY);
  EXPECT_EQ(copy.lastX, 18);
  EXPECT_EQ(copy.lastY, 18);
  EXPECT_EQ(Drawn(copy), Drawn(source));
}

TEST(CaptureRule, CornerStoneWithoutLibertyIsTakenOff) {
  //  O . .     Black plays (1, 0): the white corner stone goes.
  //  X . .
  const Position after = Play(Board({"O . .", "X . ."}), 1, 0, Black);
  EXPECT_EQ(Drawn(after, 3, 2), Rows({". X .", "X . ."}));
}

TEST(CaptureRule, CornerAtTheFarEndIsTakenOffWithoutReadingOffTheBoard) {
  Position p;
  p.Clear();
  p.Set(18, 18, Black);
  p.Set(17, 18, White);
  const Position after = Play(p, 18, 17, White);
  EXPECT_EQ(after.At(18, 18), Empty);
  EXPECT_EQ(after.At(17, 18), White);
  EXPECT_EQ(after.At(18, 17), White);
}

TEST(CaptureRule, EdgeChainWithoutLibertyIsTakenOffWhole) {
  //  Black plays (4, 0) at the end of a white chain along the top edge.
  const Position before = Board({
      "X O O O .",
      ". X X X .",
  });
  const Position after = Play(before, 4, 0, Black);
  EXPECT_EQ(Drawn(after, 5, 2), Rows({
                                    "X . . . X",
                                    ". X X X .",
                                }));
}

TEST(CaptureRule, WhiteCapturesBlackTheSameWay) {
  const Position before = Board({
      ". . . .",
      ". O . .",
      "O X O .",
      ". . . .",
  });
  const Position after = Play(before, 1, 3, White);
  EXPECT_EQ(Drawn(after, 4, 4), Rows({
                                    ". . . .",
                                    ". O . .",
                                    "O . O .",
                                    ". O . .",
                                }));
}

TEST(CaptureRule, OneStoneTakesTheLastLibertyOfTwoGroupsAndBothGo) {
  const Position before = Board({
      "X O . O X",
      ". X . X .",
  });
  const Position after = Play(before, 2, 0, Black);
  EXPECT_EQ(Drawn(after, 5, 2), Rows({
                                    "X . X . X",
                                    ". X . X .",
                                }));
}

TEST(CaptureRule, GroupTouchedOnTwoSidesGoesOnceAndNothingElseChanges) {
  //  Black plays (0, 0) against both ends of one white group.
  const Position before = Board({
      ". O X .",
      "O O X .",
      "X X . .",
  });
  const Position after = Play(before, 0, 0, Black);
  EXPECT_EQ(Drawn(after, 4, 3), Rows({
                                    "X . X .",
                                    ". . X .",
                                    "X X . .",
                                }));
}

TEST(CaptureRule, StoneOnItsOwnLastLibertyStaysWhenItCapturesNothing) {
  const Position before = Board({
      ". O .",
      "O . .",
  });
  const Position after = Play(before, 0, 0, Black);
  EXPECT_EQ(Drawn(after, 3, 2), Rows({
                                    "X O .",
                                    "O . .",
                                }));
}

TEST(CaptureRule, StoneThatFillsItsOwnLastLibertyAndCapturesStaysAndOnlyTheCapturedGo) {
  //  The white stone at (0, 1) keeps its liberty at (0, 2) and stays.
  const Position before = Board({
      ". O X",
      "O X .",
      ". . .",
  });
  const Position after = Play(before, 0, 0, Black);
  EXPECT_EQ(Drawn(after, 3, 3), Rows({
                                    "X . X",
                                    "O X .",
                                    ". . .",
                                }));
}

TEST(CaptureRule, GroupsOfTheNewStonesColourAreLeftAloneEvenWithoutLiberty) {
  //  Black joins two black stones into a group with no liberty; the white stones
  //  around it all keep liberties, so nothing goes.
  const Position before = Board({
      ". X O .",
      "X O . .",
      "O . . .",
  });
  const Position after = Play(before, 0, 0, Black);
  EXPECT_EQ(Drawn(after, 4, 3), Rows({
                                    "X X O .",
                                    "X O . .",
                                    "O . . .",
                                }));
}

TEST(CaptureRule, GroupWithOneLibertyLeftFarAwayStays) {
  const Position before = Board({
      "X O O O O .",
      ". X X X X .",
  });
  const Position after = Play(before, 5, 1, Black);
  EXPECT_EQ(Drawn(after, 6, 2), Rows({
                                    "X O O O O .",
                                    ". X X X X X",
                                }));
}

TEST(CaptureRule, AppliedAtAnEmptyPointRemovesNothing) {
  //  The white stone at (1, 0) has no liberty but (0, 0), which the rule is asked about.
  const Position before = Board({
      ". O X",
      "X X .",
  });
  Position after = before;
  after.Capture(0, 0);
  EXPECT_EQ(Drawn(after), Drawn(before));
}

TEST(CaptureRule, LargeGroupInTheMiddleGoesWhenItsLastLibertyIsFilled) {
  Position before;
  before.Clear();
  // A white plus shape at the centre, ringed by black except at (9, 7).
  const int whiteX[] = {9, 8, 9, 10, 9};
  const int whiteY[] = {8, 9, 9, 9, 10};
  for (int i = 0; i < 5; ++i) before.Set(whiteX[i], whiteY[i], White);
  const int blackX[] = {8, 10, 7, 11, 8, 10, 9};
  const int blackY[] = {8, 8, 9, 9, 10, 10, 11};
  for (int i = 0; i < 7; ++i) before.Set(blackX[i], blackY[i], Black);
  const Position after = Play(before, 9, 7, Black);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(after.At(whiteX[i], whiteY[i]), Empty);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(after.At(blackX[i], blackY[i]), Black);
  EXPECT_EQ(after.At(9, 7), Black);
}

}  // namespace
