#pragma once
#include "formats/record_reader.h"

// How the shell reads a record now: with its notes while the information pane is shown,
// main-line reading as the File menu sets it, and the game of a collection that was
// chosen for the record shown. Every load and re-read of
// the shell asks here, so that an option added later reaches all of them.
ReadOptions CurrentReadOptions();
