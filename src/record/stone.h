#pragma once
#include <cstdint>

// The value of one board cell.
using Stone = std::int8_t;
constexpr Stone Empty = 0;
constexpr Stone Black = 1;
constexpr Stone White = 2;

constexpr int kBoardSize = 19;
constexpr int kPointCount = kBoardSize * kBoardSize;

// Command ids of the menu resource; the record keeps modes and sizes as these ids.
enum NextMoveMode : int {
  ID_NEXT_BLACK = 136,
  ID_NEXT_WHITE = 137,
  ID_NEXT_BLACK_MANY = 138,
  ID_NEXT_WHITE_MANY = 139,
};
