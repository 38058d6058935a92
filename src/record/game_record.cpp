#include "record/game_record.h"

#include <cstring>

#include "formats/record_reader.h"

GameRecord* gGameRecord = nullptr;

GameRecord::GameRecord() {
  gGameRecord = this;
  Reset();
}

GameRecord::~GameRecord() {
  if (gGameRecord == this) gGameRecord = nullptr;
}

void GameRecord::Reset() {
  // A new game has no notes; the last record's would number and comment its Positions.
  notes_.Clear();
  PositionAt(mainLine, 0).Clear();
  mainCount = 1;
  variationCount = 0;
  mainCursor = 0;
  variationCursor = -1;
  branchPoint = -1;
}

void GameRecord::Load(const char* fileName) {
  notes_.Clear();
  PositionAt(mainLine, 0).Clear();
  const int count = ReadRecordFile(mainLine, fileName);
  mainCount = count;
  variationCount = 0;
  mainCursor = count - 1;
  variationCursor = -1;
  branchPoint = -1;
}

void GameRecord::Load(const char* fileName, const ReadOptions& options) {
  PositionAt(mainLine, 0).Clear();
  const int count = ReadRecordFile(mainLine, fileName, options, &notes_);
  mainCount = count;
  variationCount = 0;
  mainCursor = count - 1;
  variationCursor = -1;
  branchPoint = -1;
}

Position& GameRecord::Current() {
  if (mainCursor == -1) return PositionAt(variationLine, variationCursor);
  return PositionAt(mainLine, mainCursor);
}

int GameRecord::LineLength() const {
  if (branchPoint == -1) return mainCount;
  return branchPoint + variationCount + 1;
}

Position& GameRecord::LinePositionAt(int i) {
  if (branchPoint != -1 && i > branchPoint) return PositionAt(variationLine, i - branchPoint - 1);
  return PositionAt(mainLine, i);
}

void GameRecord::LookNext() {
  Position& before = Current();
  if (mainCursor == -1) {
    if (variationCursor >= variationCount - 1) return;
    ++variationCursor;
  } else if (branchPoint == -1) {
    if (mainCursor >= mainCount - 1) return;
    ++mainCursor;
  } else if (mainCursor < branchPoint) {
    ++mainCursor;
  } else {
    mainCursor = -1;
    variationCursor = 0;
  }
  MoveCursorFrom(before);
}

void GameRecord::LookBack() {
  Position& before = Current();
  if (mainCursor == -1) {
    if (variationCursor > 0) {
      --variationCursor;
    } else {
      variationCursor = -1;
      mainCursor = branchPoint;
    }
  } else {
    if (mainCursor == 0) return;
    --mainCursor;
  }
  MoveCursorFrom(before);
}

void GameRecord::LookHome() {
  Position& before = Current();
  mainCursor = 0;
  variationCursor = -1;
  MoveCursorFrom(before);
}

void GameRecord::LookEnd() {
  Position& before = Current();
  if (branchPoint == -1) {
    mainCursor = mainCount - 1;
  } else {
    mainCursor = -1;
    variationCursor = variationCount - 1;
  }
  MoveCursorFrom(before);
}

void GameRecord::LookDel() {
  if (branchPoint == -1) return;
  Position& before = Current();
  if (mainCursor == -1) mainCursor = branchPoint;
  branchPoint = -1;
  variationCount = 0;
  variationCursor = -1;
  MoveCursorFrom(before);
}

void GameRecord::MoveCursorFrom(Position& before) {
  Position& after = Current();
  // Identity, not content: two Positions with equal cells still move the cursor.
  if (&after == &before) return;
  NotifyCursorMove(before, after);
}

void GameRecord::NotifyCursorMove(Position& before, Position& after) {
  if (views_ == nullptr) return;
  views_->ShowMenuMode(after.nextMode);
  views_->ShowToolbarMode(after.nextMode);
  InvalidateChanged(before, after, views_);
  if (views_->MarksLastMove()) {
    // The mark leaves the stone that made before and goes to the one that made after;
    // neither cell need have changed.
    if (HasLastStone(before)) views_->RepaintBoard(LastMoveRect(before, CellSize()));
    if (HasLastStone(after)) views_->RepaintBoard(LastMoveRect(after, CellSize()));
  }
  views_->ShowNotes();
}

void GameRecord::ReadNotes(const char* fileName, const ReadOptions& options) {
  PositionPool scratch;
  PositionAt(scratch, 0).Clear();
  ReadOptions withNotes = options;
  withNotes.notes = true;
  const int count = ReadRecordFile(scratch, fileName, withNotes, &notes_);
  // A file changed since it was read would number and comment other Positions.
  bool same = count == mainCount;
  for (int i = 0; same && i < count; ++i) {
    same = std::memcmp(scratch[static_cast<std::size_t>(i)]->cells, PositionAt(mainLine, i).cells,
                       sizeof(Position::cells)) == 0;
  }
  if (!same) notes_.Clear();
}

int GameRecord::CurrentMoveNumber() {
  if (mainCursor != -1) return notes_.MoveNumberAt(mainCursor);
  int moves = notes_.MoveNumberAt(branchPoint);
  for (int i = 0; i <= variationCursor; ++i) {
    // A removal is no move.
    if (HasLastStone(PositionAt(variationLine, i))) ++moves;
  }
  return moves;
}

bool GameRecord::CurrentHasLastStone() { return HasLastStone(Current()); }

int GameRecord::CellSize() const {
  // Without views there is no board window; the default view size stands in for it.
  return views_ != nullptr ? views_->CellSize() : kDefaultCellSize;
}
