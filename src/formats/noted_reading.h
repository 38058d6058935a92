#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/move_code.h"
#include "formats/read_text.h"
#include "formats/record_notes.h"
#include "formats/record_reader.h"
#include "formats/record_text.h"

// The readers as the information pane and the main-line option ask for them. Both read
// the moves by the same item rules as ReadSgf and ReadUgf.

// Reads an SGF file as options say; with options.notes the notes go to *notes.
int ReadSgfNoted(PositionPool& mainLine, const char* cleanedName, const ReadOptions& options,
                 RecordNotes* notes);
// Reads a UGF file; with options.notes its header and comments go to *notes.
int ReadUgfNoted(PositionPool& mainLine, const char* cleanedName, const ReadOptions& options,
                 RecordNotes* notes);

// The whole file's bytes into *bytes; empty when it cannot be read.
void ReadFileInto(const char* name, ReadText* bytes);
// The same, as a string.
std::string FileBytes(const char* name);

// The move number of every Position a replay made: moves among the codes up to the one
// that made it, passes counted, setup lists and removals not. madeBy as the replay gives
// it; *total receives the moves of the whole list.
std::vector<std::int32_t> MoveNumbersOf(const MoveCodeList& codes, const SgfScanMarks& marks,
                                        const std::vector<std::int32_t>& madeBy, int* total);
