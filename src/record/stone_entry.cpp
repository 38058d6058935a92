#include "record/game_record.h"

namespace {

// The stone that mode places and the mode of the Position it makes; false for a value
// that is none of the four modes, which enters nothing.
bool StoneForMode(int mode, Stone* stone, int* nextMode) {
  switch (mode) {
    case ID_NEXT_BLACK: *stone = Black; *nextMode = ID_NEXT_WHITE; return true;
    case ID_NEXT_WHITE: *stone = White; *nextMode = ID_NEXT_BLACK; return true;
    case ID_NEXT_BLACK_MANY: *stone = Black; *nextMode = ID_NEXT_BLACK_MANY; return true;
    case ID_NEXT_WHITE_MANY: *stone = White; *nextMode = ID_NEXT_WHITE_MANY; return true;
    default: return false;
  }
}

}  // namespace

void PointFromPixel(unsigned px, unsigned py, int cellSize, int* x, int* y) {
  if (cellSize <= 0) {
    *x = -1;
    *y = -1;
    return;
  }
  const auto cell = static_cast<unsigned>(cellSize);
  *x = static_cast<int>(px / cell) - 1;
  *y = static_cast<int>(py / cell) - 1;
}

bool GameRecord::BoardPointAt(unsigned px, unsigned py, int* x, int* y) const {
  PointFromPixel(px, py, CellSize(), x, y);
  // A window larger than the board could report points beyond 18; they are refused
  // like the label column and row.
  return *x >= 0 && *y >= 0 && *x < kBoardSize && *y < kBoardSize;
}

void GameRecord::PutStone(unsigned px, unsigned py) {
  int x = 0;
  int y = 0;
  if (!BoardPointAt(px, py, &x, &y)) return;
  Position& before = Current();
  if (before.At(x, y) != Empty) return;
  Stone stone = Empty;
  int nextMode = 0;
  if (!StoneForMode(before.nextMode, &stone, &nextMode)) return;

  Position& after = ExtendVariationFrom(before);
  after.Set(x, y, stone);
  after.nextMode = nextMode;
  after.Capture(x, y);
  after.lastX = x;
  after.lastY = y;
  NotifyCursorMove(before, after);
}

void GameRecord::RemoveStone(unsigned px, unsigned py) {
  int x = 0;
  int y = 0;
  if (!BoardPointAt(px, py, &x, &y)) return;
  Position& before = Current();
  if (before.At(x, y) == Empty) return;

  // No capture rule here, and the mode stays as copied.
  Position& after = ExtendVariationFrom(before);
  after.Set(x, y, Empty);
  after.lastX = x;
  after.lastY = y;
  NotifyCursorMove(before, after);
}

Position& GameRecord::ExtendVariationFrom(const Position& before) {
  if (variationCursor == -1) {
    // From the main line: a new variation after the current Position replaces any other.
    branchPoint = mainCursor;
    mainCursor = -1;
    variationCursor = 0;
    variationCount = 1;
  } else {
    // Inside the variation: whatever followed the cursor is cut off.
    ++variationCursor;
    variationCount = variationCursor + 1;
  }
  // Whatever this pooled Position held before is overwritten whole.
  Position& after = Current();
  after.CopyFrom(before);
  return after;
}
