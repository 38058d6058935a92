#pragma once
#include <cstdint>

#include "formats/record_notes.h"
#include "formats/record_reader.h"
#include "record/position.h"
#include "record/position_pool.h"
#include "record/record_views.h"

// The document: a main line read from a file, at most one variation after one of its
// Positions, and a cursor on the Position that the board shows.
class GameRecord {
 public:
  // A new game (as Reset gives it), and this becomes the record gGameRecord designates.
  GameRecord();
  // Frees every pooled Position; gGameRecord no longer designates this record.
  ~GameRecord();
  GameRecord(const GameRecord&) = delete;
  GameRecord& operator=(const GameRecord&) = delete;

  // A new game: one empty Position, cursor on it, no variation, no notes. Notifies nobody.
  void Reset();
  // Reads the named file into the main line; the cursor ends on its last Position and
  // any variation is gone. Notifies nobody.
  void Load(const char* fileName);
  // The same, read as options say; with options.notes the notes are gathered too, and
  // without it they are cleared.
  void Load(const char* fileName, const ReadOptions& options);
  // Gathers the notes of the record shown from its file again, as options say, leaving
  // the Positions, the cursor and the variation alone. The notes stay empty when the
  // file no longer reads to the same main line.
  void ReadNotes(const char* fileName, const ReadOptions& options);
  // What was gathered at the last read.
  const RecordNotes& Notes() const { return notes_; }
  // Whether the board shows a Position of the variation.
  bool InVariation() const { return mainCursor == -1; }
  // Moves played up to the current Position: on the main line as the notes count them;
  // in the variation, the branch point's number and the stones placed after it.
  int CurrentMoveNumber();
  // Whether a stone made the current Position and still stands at its last point: not
  // the starting board, not a removal.
  bool CurrentHasLastStone();
  // The Position that the board shows.
  Position& Current();
  // Length of the line through the variation (the line that is saved).
  int LineLength() const;
  // Position i (0 <= i < LineLength()) of the line through the variation.
  Position& LinePositionAt(int i);

  // The five navigation steps. Each one that makes another Position current tells the
  // attached views: menu mode, then toolbar mode, then the repaint of the changed cells.
  // One Position forward along the line through the variation.
  void LookNext();
  // One Position back; from the variation's first Position back to the branch point.
  void LookBack();
  // To the starting board; the variation stays.
  void LookHome();
  // To the end of the line through the variation.
  void LookEnd();
  // Drops the variation; from inside it the cursor returns to the branch point.
  void LookDel();

  // Places a stone at the board pixel (px, py) by the current Position's mode, as a new
  // Position of the variation; nothing happens on a label or an occupied point.
  void PutStone(unsigned px, unsigned py);
  // Takes the stone at the board pixel (px, py) off, as a new Position of the variation;
  // nothing happens on a label or an empty point.
  void RemoveStone(unsigned px, unsigned py);

  // Saves the line through the variation as SGF. The target is replaced only when every
  // byte was written; on failure the views are told and an existing file stays as it was.
  void WriteSgf(const char* path);

  // Draws every point of the current Position whose cell meets (left, top, right, bottom).
  // paintDc and tileDc are HDCs; the record itself knows nothing of them.
  void DrawCells(int left, int top, int right, int bottom, void* paintDc, void* tileDc);

  // The shell attaches the views once its windows exist; nullptr detaches.
  void AttachViews(RecordViews* views) { views_ = views; }
  // The attached views, or nullptr.
  RecordViews* Views() const { return views_; }

  PositionPool mainLine;
  PositionPool variationLine;
  std::int32_t mainCount = 1;
  std::int32_t variationCount = 0;
  std::int32_t mainCursor = 0;
  std::int32_t variationCursor = -1;
  std::int32_t branchPoint = -1;

 private:
  // Notifies the views when the cursor now stands on another Position than before.
  void MoveCursorFrom(Position& before);
  // Starts or extends the variation and makes its new current Position a copy of before.
  Position& ExtendVariationFrom(const Position& before);
  // The cursor-move notification: menu mode, toolbar mode, repaint of the changes.
  void NotifyCursorMove(Position& before, Position& after);
  // The board point under pixel (px, py); false on a label or beyond the board.
  bool BoardPointAt(unsigned px, unsigned py, int* x, int* y) const;
  int CellSize() const;

  RecordViews* views_ = nullptr;
  RecordNotes notes_;
};

// The GameRecord of this run; set by its constructor, cleared by its destructor.
extern GameRecord* gGameRecord;

// The cell size that stone entry assumes while no views are attached (the middle view).
constexpr int kDefaultCellSize = 32;

// (x, y) of the point under board pixel (px, py); -1 in the label column or row.
void PointFromPixel(unsigned px, unsigned py, int cellSize, int* x, int* y);

// The smallest board-window rectangle that holds every cell where p and q differ.
// Empty (right left of left) when no cell differs.
PixelRect ChangedRect(const Position& p, const Position& q, int cellSize);

// Whether a stone made p and still stands at its last point: a placed stone always does;
// the starting board (no stone anywhere) and a removal do not.
inline bool HasLastStone(const Position& p) { return p.At(p.lastX, p.lastY) != Empty; }

// The board-window rectangle of the cell of p's last point.
PixelRect LastMoveRect(const Position& p, int cellSize);

// Asks views to repaint the cells that differ between p and q; the empty box is passed
// on too. Does nothing when views is nullptr.
void InvalidateChanged(const Position& p, const Position& q, RecordViews* views);
// The same, for the views attached to gGameRecord.
void InvalidateChanged(const Position& p, const Position& q);
