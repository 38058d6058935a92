#include <gtest/gtest.h>

#include "drawing/view_size_table.h"

namespace {

TEST(ViewSizeTable, EachViewSizeHasItsCellSizeAndTileSheet) {
  struct Row {
    ViewSize size;
    int cell;
    int sheet;
  };
  const Row rows[] = {{ID_VIEW_LARGE_VERY, 48, 150}, {ID_VIEW_LARGE, 40, 155},
                      {ID_VIEW_MIDDLE, 32, 156},     {ID_VIEW_SMALL, 24, 157},
                      {ID_VIEW_SMALL_VERY, 16, 158}};
  for (const Row& row : rows) {
    EXPECT_EQ(row.cell, CellSizeOf(row.size)) << row.size;
    EXPECT_EQ(row.sheet, TileBitmapIdOf(row.size)) << row.size;
  }
}

TEST(ViewSizeTable, AnyOtherIdHasNoCellAndNoSheet) {
  for (int id : {0, -1, 131, 135, 136, 145, 148, 150}) {
    EXPECT_EQ(0, CellSizeOf(id)) << id;
    EXPECT_EQ(0, TileBitmapIdOf(id)) << id;
  }
}

TEST(ViewSizeTable, MenuOrderRunsFromLargestToSmallest) {
  int previous = 1000;
  for (ViewSize size : kViewSizes) {
    EXPECT_LT(CellSizeOf(size), previous);
    previous = CellSizeOf(size);
  }
}

}  // namespace
