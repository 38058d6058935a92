#include "record/game_record.h"

PixelRect ChangedRect(const Position& p, const Position& q, int cellSize) {
  // Start values that any difference overrides; with none the box stays inside out.
  int minX = kBoardSize;
  int maxX = 0;
  int minY = kBoardSize;
  int maxY = 0;
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) {
      if (p.At(x, y) == q.At(x, y)) continue;
      if (x < minX) minX = x;
      if (x > maxX) maxX = x;
      if (y < minY) minY = y;
      if (y > maxY) maxY = y;
    }
  }
  // + 1 steps over the label column and row; right and bottom are exclusive.
  return PixelRect{(minX + 1) * cellSize, (minY + 1) * cellSize, (maxX + 2) * cellSize,
                   (maxY + 2) * cellSize};
}

PixelRect LastMoveRect(const Position& p, int cellSize) {
  return PixelRect{(p.lastX + 1) * cellSize, (p.lastY + 1) * cellSize, (p.lastX + 2) * cellSize,
                   (p.lastY + 2) * cellSize};
}

void InvalidateChanged(const Position& p, const Position& q, RecordViews* views) {
  if (views == nullptr) return;
  // An empty box goes out as it is: the board window repaints nothing for it.
  views->RepaintBoard(ChangedRect(p, q, views->CellSize()));
}

void InvalidateChanged(const Position& p, const Position& q) {
  InvalidateChanged(p, q, gGameRecord != nullptr ? gGameRecord->Views() : nullptr);
}
