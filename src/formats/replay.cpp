#include "formats/move_code.h"

int ReplayMoveCodes(PositionPool& mainLine, const MoveCodeList& codes) {
  int count = 1;
  Position* previous = &PositionAt(mainLine, 0);
  for (const MoveCode code : codes) {
    const int colour = code / 100 / 100;
    const int x = code / 100 % 100;
    const int y = code % 100;
    // The readers build no other codes; anything else would point outside the cells.
    if (code < 0 || colour > White || x >= kBoardSize || y >= kBoardSize) continue;
    const Stone there = previous->At(x, y);
    const bool isStone = colour != Empty;
    if (isStone ? there != Empty : there == Empty) continue;

    ++count;
    Position& next = PositionAt(mainLine, count - 1);
    next.CopyFrom(*previous);
    next.Set(x, y, static_cast<Stone>(colour));
    if (colour == Black) {
      next.Capture(x, y);
      previous->nextMode = ID_NEXT_BLACK;
      next.nextMode = ID_NEXT_WHITE;
    } else if (colour == White) {
      next.Capture(x, y);
      previous->nextMode = ID_NEXT_WHITE;
      next.nextMode = ID_NEXT_BLACK;
    }
    // A removal keeps the mode it copied.
    next.lastX = x;
    next.lastY = y;
    previous = &next;
  }
  return count;
}
