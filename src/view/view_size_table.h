#pragma once
#include "record/stone.h"

// Cell size in pixels for a view size: 48, 40, 32, 24 or 16; 0 for any other value.
int CellSizeOf(ViewSize viewSize);
// Resource id of the tile sheet for a view size; 0 for any other value.
int TileBitmapIdOf(ViewSize viewSize);
// The five view sizes in menu order, largest first.
constexpr ViewSize kViewSizes[] = {ID_VIEW_LARGE_VERY, ID_VIEW_LARGE, ID_VIEW_MIDDLE,
                                   ID_VIEW_SMALL, ID_VIEW_SMALL_VERY};
// The four next-move modes in menu order.
constexpr NextMoveMode kNextMoveModes[] = {ID_NEXT_BLACK, ID_NEXT_WHITE, ID_NEXT_BLACK_MANY,
                                           ID_NEXT_WHITE_MANY};
