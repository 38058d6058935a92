#pragma once
#include "record/position_pool.h"

class RecordNotes;

// How a record is read, beyond what its name says.
struct ReadOptions {
  // Gather the notes (game information, move numbers, comments) besides the Positions.
  bool notes = false;
  // Read an SGF record along its main line: at every fork the first branch only. UGF
  // records have no branches and read the same either way.
  bool mainLineOnly = false;
  // With mainLineOnly, the game of a collection to read: 0 is its first game tree.
  int game = 0;
};

// Reads the named record into the main line, whose Position 0 the caller has cleared.
// The reader is chosen by the last three letters of the name ("sgf" or "ugf", any case).
// Returns the Position count, Position 0 included; 1 when nothing could be read.
int ReadRecordFile(PositionPool& mainLine, const char* fileName);
// The same, read as options say; with options.notes the notes are gathered into *notes,
// which is cleared first in any case.
int ReadRecordFile(PositionPool& mainLine, const char* fileName, const ReadOptions& options,
                   RecordNotes* notes);

// Whether the SGF reader takes the cleaned name: it ends in "sgf", in any letter case.
bool IsSgfName(const char* cleanedName);

// Reads an SGF file; returns the Position count (at least 1).
int ReadSgf(PositionPool& mainLine, const char* cleanedName);
// Reads a Panda Net UGF file; returns the Position count (at least 1).
int ReadUgf(PositionPool& mainLine, const char* cleanedName);
