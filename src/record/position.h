#pragma once
#include <cstdint>

#include "record/point_code_set.h"
#include "record/stone.h"

namespace platform { class OutputFile; }

// One snapshot of the board. A plain fixed-size value: copying it copies everything.
struct Position {
  std::int32_t nextMode;
  std::int32_t lastX;
  std::int32_t lastY;
  Stone cells[kPointCount];

  // Mode 136, last point (0, 0), every cell Empty.
  void Clear();
  // Copies mode, last point and all cells of other.
  void CopyFrom(const Position& other);
  // Takes off the adjacent groups of the other colour that the stone just set at (x, y)
  // left without a liberty. Changes only cells; the stone at (x, y) always stays.
  void Capture(int x, int y);
  // Writes this Position's 8-byte move line ("B[pd];\r\n"); false when the write failed.
  bool WriteMoveLine(platform::OutputFile& file) const;
  // The tile-sheet cell (column, row) that shows point (x, y).
  void TileOf(int x, int y, int* tileColumn, int* tileRow) const;

  // The stone at column x, row y (both 0..18).
  Stone At(int x, int y) const { return cells[y * kBoardSize + x]; }
  // Puts s at column x, row y (both 0..18).
  void Set(int x, int y, Stone s) { cells[y * kBoardSize + x] = s; }
};
