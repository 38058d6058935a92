#pragma once
#include <cstdint>

#include "record/position.h"
#include "record/position_pool.h"
#include "record/record_views.h"

// The document: a main line read from a file, at most one variation after one of its
// Positions, and a cursor on the Position that the board shows.
class GameRecord {
 public:
  GameRecord();
  ~GameRecord();
  GameRecord(const GameRecord&) = delete;
  GameRecord& operator=(const GameRecord&) = delete;

  // A new game: one empty Position, cursor on it, no variation. Notifies nobody.
  void Reset();
  // Reads the named file into the main line; the cursor ends on its last Position and
  // any variation is gone. Notifies nobody.
  void Load(const char* fileName);
  // The Position that the board shows.
  Position& Current();
  // Length of the line through the variation (the line that is saved).
  int LineLength() const;
  // Position i (0 <= i < LineLength()) of the line through the variation.
  Position& LinePositionAt(int i);

  void LookNext();
  void LookBack();
  void LookHome();
  void LookEnd();
  void LookDel();

  // Places a stone at the board pixel (px, py) by the current Position's mode.
  void PutStone(unsigned px, unsigned py);
  // Takes the stone at the board pixel (px, py) off.
  void RemoveStone(unsigned px, unsigned py);

  // Saves the line through the variation as SGF. The target is replaced only when every
  // byte was written; on failure the views are told and an existing file stays as it was.
  void WriteSgf(const char* path);

  // Draws every point of the current Position whose cell meets (left, top, right, bottom).
  // paintDc and tileDc are HDCs; the record itself knows nothing of them.
  void DrawCells(int left, int top, int right, int bottom, void* paintDc, void* tileDc);

  // The shell attaches the views once its windows exist; nullptr detaches.
  void AttachViews(RecordViews* views) { views_ = views; }
  RecordViews* Views() const { return views_; }

  PositionPool mainLine;
  PositionPool variationLine;
  std::int32_t mainCount = 1;
  std::int32_t variationCount = 0;
  std::int32_t mainCursor = 0;
  std::int32_t variationCursor = -1;
  std::int32_t branchPoint = -1;

 private:
  void MoveCursorFrom(Position& before);
  void ExtendVariation();
  void NotifyCursorMove(Position& before, Position& after);
  int CellSize() const;

  RecordViews* views_ = nullptr;
};

// The GameRecord of this run; set by its constructor.
extern GameRecord* gGameRecord;

// (x, y) of the point under board pixel (px, py); -1 in the label column or row.
void PointFromPixel(unsigned px, unsigned py, int cellSize, int* x, int* y);

// The smallest board-window rectangle that holds every cell where p and q differ.
// Empty (right left of left) when no cell differs.
PixelRect ChangedRect(const Position& p, const Position& q, int cellSize);

// Asks the views to repaint the cells that differ between p and q.
void InvalidateChanged(const Position& p, const Position& q);
