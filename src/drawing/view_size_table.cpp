#include "drawing/view_size_table.h"

#include "drawing/dpi_scale.h"

namespace {

struct ViewSizeRow {
  ViewSize viewSize;
  int cellSize;
  int tileBitmapId;
};

// The View menu's entries with their cell sizes and tile sheets, largest first.
constexpr ViewSizeRow kRows[] = {
    {ID_VIEW_LARGE_VERY, 48, IDB_TILES_48}, {ID_VIEW_LARGE, 40, IDB_TILES_40},
    {ID_VIEW_MIDDLE, 32, IDB_TILES_32},     {ID_VIEW_SMALL, 24, IDB_TILES_24},
    {ID_VIEW_SMALL_VERY, 16, IDB_TILES_16},
};

const ViewSizeRow* RowOf(ViewSize viewSize) {
  for (const ViewSizeRow& row : kRows) {
    if (row.viewSize == viewSize) return &row;
  }
  return nullptr;
}

}  // namespace

int CellSizeOf(ViewSize viewSize) {
  const ViewSizeRow* row = RowOf(viewSize);
  return row ? row->cellSize : 0;
}

int TileBitmapIdOf(ViewSize viewSize) {
  const ViewSizeRow* row = RowOf(viewSize);
  return row ? row->tileBitmapId : 0;
}

int CellSizeAt(ViewSize viewSize, int dpi) { return ScaledPixels(CellSizeOf(viewSize), dpi); }

int ShippedTileSheetOf(int cellSize) {
  for (const ViewSizeRow& row : kRows) {
    if (row.cellSize == cellSize) return row.tileBitmapId;
  }
  return 0;
}
