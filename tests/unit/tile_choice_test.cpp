#include <gtest/gtest.h>

#include <utility>

#include "record/position.h"

namespace {

using Tile = std::pair<int, int>;

Tile TileAt(const Position& position, int x, int y) {
  int column = -1;
  int row = -1;
  position.TileOf(x, y, &column, &row);
  return {column, row};
}

Position EmptyBoard() {
  Position position;
  position.Clear();
  return position;
}

bool IsStarLine(int v) { return v == 3 || v == 9 || v == 15; }

// The sheet's layout: left edge, inside, right edge across; top, inside, bottom down.
int EdgeIndex(int v) { return v == 0 ? 0 : v == 18 ? 2 : 1; }

}  // namespace

TEST(TileChoice, ListedPointsUseTheirTiles) {
  Position p = EmptyBoard();
  EXPECT_EQ(TileAt(p, 0, 0), Tile(0, 0));
  EXPECT_EQ(TileAt(p, 9, 9), Tile(9, 1));
  EXPECT_EQ(TileAt(p, 0, 9), Tile(0, 1));  // on a star line, but an edge, not a star point
  EXPECT_EQ(TileAt(p, 18, 3), Tile(2, 1));

  p.Set(0, 0, Black);
  p.Set(18, 18, White);
  p.Set(9, 9, Black);
  EXPECT_EQ(TileAt(p, 0, 0), Tile(3, 0));
  EXPECT_EQ(TileAt(p, 18, 18), Tile(8, 2));
  EXPECT_EQ(TileAt(p, 9, 9), Tile(4, 1));
}

TEST(TileChoice, EveryEmptyPointShowsItsEdgeOrCornerOrStar) {
  const Position p = EmptyBoard();
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) {
      const bool star = IsStarLine(x) && IsStarLine(y);
      const Tile expected(star ? 9 : EdgeIndex(x), EdgeIndex(y));
      EXPECT_EQ(TileAt(p, x, y), expected) << "empty point (" << x << ", " << y << ")";
    }
  }
}

TEST(TileChoice, StonesHideTheStarDotAndKeepTheirEdge) {
  for (Stone colour : {Black, White}) {
    Position p = EmptyBoard();
    for (int i = 0; i < kPointCount; ++i) p.cells[i] = colour;
    for (int y = 0; y < kBoardSize; ++y) {
      for (int x = 0; x < kBoardSize; ++x) {
        const Tile expected(EdgeIndex(x) + 3 * colour, EdgeIndex(y));
        EXPECT_EQ(TileAt(p, x, y), expected)
            << "stone " << int(colour) << " at (" << x << ", " << y << ")";
      }
    }
  }
}

TEST(TileChoice, NineStarPointsDotOnlyWhileEmpty) {
  const int lines[] = {3, 9, 15};
  for (int y : lines) {
    for (int x : lines) {
      Position p = EmptyBoard();
      EXPECT_EQ(TileAt(p, x, y), Tile(9, 1));
      p.Set(x, y, Black);
      EXPECT_EQ(TileAt(p, x, y), Tile(4, 1));
      p.Set(x, y, White);
      EXPECT_EQ(TileAt(p, x, y), Tile(7, 1));
    }
  }
}

TEST(TileChoice, ModeAndLastPointPlayNoPart) {
  Position p = EmptyBoard();
  p.Set(3, 3, White);
  const Tile before = TileAt(p, 3, 3);
  const Tile neighbour = TileAt(p, 4, 3);
  p.nextMode = ID_NEXT_WHITE_MANY;
  p.lastX = 3;
  p.lastY = 3;
  EXPECT_EQ(TileAt(p, 3, 3), before);
  EXPECT_EQ(TileAt(p, 4, 3), neighbour);
}
