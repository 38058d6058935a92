#pragma once
#include <cstdint>

#include "resource.h"  // the command ids, which are also the modes and view sizes

// The value of one board cell.
using Stone = std::int8_t;
constexpr Stone Empty = 0;
constexpr Stone Black = 1;
constexpr Stone White = 2;

constexpr int kBoardSize = 19;
constexpr int kPointCount = kBoardSize * kBoardSize;

// Who plays the next stone entered by hand: ID_NEXT_BLACK, ID_NEXT_WHITE,
// ID_NEXT_BLACK_MANY or ID_NEXT_WHITE_MANY.
using NextMoveMode = int;
// The board's size on screen: ID_VIEW_LARGE_VERY, ID_VIEW_LARGE, ID_VIEW_MIDDLE,
// ID_VIEW_SMALL or ID_VIEW_SMALL_VERY.
using ViewSize = int;
