#pragma once
#include "record/position_pool.h"

// Reads the named record into the main line, whose Position 0 the caller has cleared.
// The reader is chosen by the last three letters of the name ("sgf" or "ugf", any case).
// Returns the Position count, Position 0 included; 1 when nothing could be read.
int ReadRecordFile(PositionPool& mainLine, const char* fileName);

// Reads an SGF file; returns the Position count (at least 1).
int ReadSgf(PositionPool& mainLine, const char* cleanedName);
// Reads a Panda Net UGF file; returns the Position count (at least 1).
int ReadUgf(PositionPool& mainLine, const char* cleanedName);
