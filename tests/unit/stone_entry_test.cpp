#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/game_record.h"
#include "record_test_support.h"

namespace {

using record_test::CursorMove;
using record_test::Drawn;
using record_test::RecordingViews;
using record_test::TempFolder;

using record_test::kCell;
using record_test::PixelOf;

std::string Cursors(const GameRecord& r) {
  return "m=" + std::to_string(r.mainCursor) + " v=" + std::to_string(r.variationCursor) +
         " b=" + std::to_string(r.branchPoint) + " V=" + std::to_string(r.variationCount);
}

TEST(PointFromPixel, LabelsGiveMinusOneAndTheBoardSpansPointsZeroToEighteen) {
  // The shipped sizes, then sizes of other display scales.
  for (const int cell : {48, 40, 32, 24, 16, 20, 42, 56, 63, 144}) {
    SCOPED_TRACE(cell);
    const unsigned c = static_cast<unsigned>(cell);
    int x = 0;
    int y = 0;
    PointFromPixel(c - 1, c, cell, &x, &y);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, 0);
    PointFromPixel(c, c - 1, cell, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, -1);
    PointFromPixel(c, c, cell, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    PointFromPixel(20 * c - 1, 20 * c - 1, cell, &x, &y);
    EXPECT_EQ(x, 18);
    EXPECT_EQ(y, 18);
  }
}

class StoneEntry : public ::testing::Test {
 protected:
  StoneEntry() { record.AttachViews(&views); }

  void Put(int x, int y) { record.PutStone(PixelOf(x), PixelOf(y)); }
  void Remove(int x, int y) { record.RemoveStone(PixelOf(x), PixelOf(y)); }

  TempFolder folder;
  RecordingViews views{kCell};
  GameRecord record;
};

TEST_F(StoneEntry, FirstStoneAfterResetStartsAVariationAndRepaintsJustItsCell) {
  Put(3, 3);
  EXPECT_EQ(Cursors(record), "m=-1 v=0 b=0 V=1");
  const Position& entered = record.Current();
  EXPECT_EQ(&entered, &PositionAt(record.variationLine, 0));
  EXPECT_EQ(entered.At(3, 3), Black);
  EXPECT_EQ(entered.nextMode, ID_NEXT_WHITE);
  EXPECT_EQ(entered.lastX, 3);
  EXPECT_EQ(entered.lastY, 3);
  EXPECT_EQ(views.calls, CursorMove(ID_NEXT_WHITE, 4 * kCell, 4 * kCell, 5 * kCell, 5 * kCell));
  EXPECT_EQ(PositionAt(record.mainLine, 0).At(3, 3), Empty) << "the main line is never edited";
}

TEST_F(StoneEntry, EachModeGivesItsColoursAndTheModeThatFollows) {
  struct Case {
    int mode;
    std::vector<Stone> stones;
    std::vector<int> modes;
  };
  const Case cases[] = {
      {ID_NEXT_BLACK, {Black, White, Black}, {ID_NEXT_WHITE, ID_NEXT_BLACK, ID_NEXT_WHITE}},
      {ID_NEXT_WHITE, {White, Black, White}, {ID_NEXT_BLACK, ID_NEXT_WHITE, ID_NEXT_BLACK}},
      {ID_NEXT_BLACK_MANY, {Black, Black, Black}, {138, 138, 138}},
      {ID_NEXT_WHITE_MANY, {White, White, White}, {139, 139, 139}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    record.Reset();
    record.Current().nextMode = c.mode;
    for (int i = 0; i < 3; ++i) {
      Put(i * 2, 5);
      EXPECT_EQ(record.Current().At(i * 2, 5), c.stones[i]);
      EXPECT_EQ(record.Current().nextMode, c.modes[i]);
    }
  }
}

TEST_F(StoneEntry, RemovalClearsOnePointKeepsTheModeAndRecordsTheLastPoint) {
  Put(4, 4);
  Put(4, 5);
  views.calls.clear();
  Remove(4, 4);
  const Position& after = record.Current();
  EXPECT_EQ(Cursors(record), "m=-1 v=2 b=0 V=3");
  EXPECT_EQ(after.At(4, 4), Empty);
  EXPECT_EQ(after.At(4, 5), White);
  EXPECT_EQ(after.nextMode, ID_NEXT_BLACK);
  EXPECT_EQ(after.lastX, 4);
  EXPECT_EQ(after.lastY, 4);
  EXPECT_EQ(views.calls, CursorMove(ID_NEXT_BLACK, 5 * kCell, 5 * kCell, 6 * kCell, 6 * kCell));
  Put(9, 9);
  EXPECT_EQ(record.Current().At(9, 9), Black) << "the removal did not change whose turn it is";
}

TEST_F(StoneEntry, ReleasesThatCannotEnterChangeNothing) {
  Put(3, 3);
  views.calls.clear();
  const std::string before = Cursors(record);
  const Position* current = &record.Current();

  record.PutStone(kCell - 1, PixelOf(5));  // label column
  record.PutStone(PixelOf(5), kCell - 1);  // label row
  record.RemoveStone(0, 0);                // the corner label
  Put(3, 3);                               // occupied
  Remove(10, 10);                          // nothing to take off
  record.PutStone(20 * kCell, PixelOf(5));  // beyond the last column
  record.PutStone(PixelOf(5), 65535);       // far beyond the last row
  record.RemoveStone(20 * kCell, 20 * kCell);

  EXPECT_EQ(Cursors(record), before);
  EXPECT_EQ(&record.Current(), current);
  EXPECT_EQ(record.variationLine.size(), 1u) << "no Position was made";
  EXPECT_TRUE(views.calls.empty());
}

TEST_F(StoneEntry, ACapturingStoneEmptiesTheGroupAndRepaintsOneBoxOverAllChanges) {
  //  X . .      Black plays (1, 2): the two white stones go; the box spans
  //  O X .      columns 0 to 1 and rows 1 to 2.
  //  O . .
  //  X . .
  record_test::LoadSgfText(record, folder, "AW[ab][ac]AB[aa][bb][ad]");
  record.Current().nextMode = ID_NEXT_BLACK;
  views.calls.clear();
  Put(1, 2);
  EXPECT_EQ(Drawn(record.Current(), 3, 4), record_test::Rows({
                                               "X . .",
                                               ". X .",
                                               ". X .",
                                               "X . .",
                                           }));
  EXPECT_EQ(views.calls, CursorMove(ID_NEXT_WHITE, 1 * kCell, 2 * kCell, 3 * kCell, 4 * kCell));
}

TEST_F(StoneEntry, ARemovalNeverCapturesAndTakesOnlyItsOwnStone) {
  //  O X O      The white corner stone has no liberty; taking off the black stone at
  //  X X .      (1, 1) still captures nothing and takes only that one stone.
  record_test::LoadSgfText(record, folder, "AB[ba][ab][bb]AW[aa][ca]");
  const Position before = record.Current();
  Remove(1, 1);
  Position expected = before;
  expected.Set(1, 1, Empty);
  EXPECT_EQ(Drawn(record.Current()), Drawn(expected));
}

TEST_F(StoneEntry, EntryOnTheMainLineReplacesTheVariationAndLeavesTheMainLineAlone) {
  record_test::LoadSgfText(record, folder, "B[aa]W[bb]B[cc]W[dd]B[ee]W[ff]B[gg]W[hh]B[ii]W[jj]");
  std::vector<Position> mainBefore;
  for (int i = 0; i < 11; ++i) mainBefore.push_back(PositionAt(record.mainLine, i));

  record.LookHome();
  for (int i = 0; i < 8; ++i) record.LookNext();
  Put(18, 0);
  Put(18, 1);
  ASSERT_EQ(Cursors(record), "m=-1 v=1 b=8 V=2");
  record.LookBack();
  record.LookBack();
  record.LookBack();
  record.LookBack();
  record.LookBack();
  ASSERT_EQ(Cursors(record), "m=5 v=-1 b=8 V=2");

  Put(0, 18);
  EXPECT_EQ(Cursors(record), "m=-1 v=0 b=5 V=1");
  EXPECT_EQ(record.Current().At(18, 0), Empty) << "nothing of the old variation remains";
  EXPECT_EQ(record.Current().At(0, 18), White) << "main-line Position 5 has white to play";
  for (int i = 0; i < 11; ++i) {
    EXPECT_TRUE(record_test::SameCells(PositionAt(record.mainLine, i), mainBefore[i])) << i;
  }
  record.LookDel();
  EXPECT_EQ(&record.Current(), &PositionAt(record.mainLine, 5));
}

TEST_F(StoneEntry, EntryInsideTheVariationCutsItAfterTheCursor) {
  for (int i = 0; i < 4; ++i) Put(i, 0);
  record.LookBack();
  record.LookBack();
  ASSERT_EQ(Cursors(record), "m=-1 v=1 b=0 V=4");
  Position* formerSecond = &PositionAt(record.variationLine, 2);

  Put(10, 10);
  EXPECT_EQ(Cursors(record), "m=-1 v=2 b=0 V=3");
  EXPECT_EQ(&record.Current(), formerSecond) << "overwritten in place";
  EXPECT_EQ(record.Current().At(2, 0), Empty);
  EXPECT_EQ(record.Current().At(10, 10), Black);
  EXPECT_EQ(record.LineLength(), 4);
  record.LookNext();
  record.LookEnd();
  EXPECT_EQ(Cursors(record), "m=-1 v=2 b=0 V=3") << "the former Position 3 cannot be reached";
}

TEST_F(StoneEntry, TheCellSizeComesFromTheViewsOrIsTheMiddleSizeWithoutThem) {
  RecordingViews large(48);
  record.AttachViews(&large);
  record.PutStone(PixelOf(3, 48), PixelOf(7, 48));
  EXPECT_EQ(record.Current().At(3, 7), Black);
  EXPECT_EQ(large.calls.back(), "repaint 192,384,240,432");

  record.AttachViews(nullptr);
  record.PutStone(PixelOf(5, kDefaultCellSize), PixelOf(6, kDefaultCellSize));
  EXPECT_EQ(record.Current().At(5, 6), White);

  RecordingViews scaled(42);  // the small view at 175 %
  record.AttachViews(&scaled);
  record.PutStone(PixelOf(18, 42), PixelOf(0, 42));
  EXPECT_EQ(record.Current().At(18, 0), Black);
  EXPECT_EQ(scaled.calls.back(), "repaint 798,42,840,84");
}

TEST_F(StoneEntry, APositionWithAModeOutsideTheFourEntersNothing) {
  record.Current().nextMode = 0;
  Put(3, 3);
  EXPECT_EQ(Cursors(record), "m=0 v=-1 b=-1 V=0");
  EXPECT_TRUE(views.calls.empty());
}

}  // namespace
