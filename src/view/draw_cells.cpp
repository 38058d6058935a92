// The record draws its current Position cell by cell; only the board window calls this,
// from its paint handler, with the tile sheet of the current size already selected.
#include <windows.h>

#include <algorithm>

#include "record/game_record.h"
#include "view/board_layout.h"

namespace {

// True when [low1, high1) and [low2, high2) share at least one pixel; touching edges
// do not count.
bool Overlaps(int low1, int high1, int low2, int high2) {
  return std::max(low1, low2) < std::min(high1, high2);
}

}  // namespace

void GameRecord::DrawCells(int left, int top, int right, int bottom, void* paintDc, void* tileDc) {
  HDC paint = static_cast<HDC>(paintDc);
  HDC tiles = static_cast<HDC>(tileDc);
  const int c = gBoardLayout->CellSize();
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) {
      // Column 0 and row 0 of the window hold the labels.
      const int cellLeft = (x + 1) * c;
      const int cellTop = (y + 1) * c;
      if (!Overlaps(left, right, cellLeft, cellLeft + c)) continue;
      if (!Overlaps(top, bottom, cellTop, cellTop + c)) continue;
      int tileColumn = 0;
      int tileRow = 0;
      Current().TileOf(x, y, &tileColumn, &tileRow);
      BitBlt(paint, cellLeft, cellTop, c, c, tiles, tileColumn * c, tileRow * c, SRCCOPY);
    }
  }
}
