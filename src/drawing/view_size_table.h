#pragma once
#include "record/stone.h"

// Cell size in pixels for a view size: 48, 40, 32, 24 or 16; 0 for any other value.
int CellSizeOf(ViewSize viewSize);
// Resource id of the tile sheet for a view size; 0 for any other value.
int TileBitmapIdOf(ViewSize viewSize);
// Cell size in pixels for a view size at dpi: the 96-DPI cell scaled; 0 for no view size.
int CellSizeAt(ViewSize viewSize, int dpi);
// Resource id of the shipped tile sheet drawn for cells of cellSize pixels; 0 when the
// program ships none of that size.
int ShippedTileSheetOf(int cellSize);
// The five view sizes in menu order, largest first.
constexpr ViewSize kViewSizes[] = {ID_VIEW_LARGE_VERY, ID_VIEW_LARGE, ID_VIEW_MIDDLE,
                                   ID_VIEW_SMALL, ID_VIEW_SMALL_VERY};
// The four next-move modes in menu order.
constexpr NextMoveMode kNextMoveModes[] = {ID_NEXT_BLACK, ID_NEXT_WHITE, ID_NEXT_BLACK_MANY,
                                           ID_NEXT_WHITE_MANY};
