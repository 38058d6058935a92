#pragma once
#include "formats/record_reader.h"

// How records are read now: with their notes while the information pane is shown, along
// the main line when the user chose so.
ReadOptions CurrentReadOptions();
// Reads the named record as CurrentReadOptions says and makes it the record shown, whose
// name Frame keeps. Notifies nobody. For the roads a record comes by: the command line,
// Open and a drop.
void LoadRecord(const char* fileName);

// After the whole record changed (New, Open): the Next-move check mark and the toolbar
// follow the current Position's mode, the whole board is repainted, and the information
// pane tells of the new record.
void ShowWholeRecord();
