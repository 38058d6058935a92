#pragma once

// The two on-or-off options of the View menu: the information pane and the last-move
// mark. Each is remembered from the moment the user first changes it.

// The View menu checks the options as they stand (start-up).
void ShowViewOptionChecks();
// Shows the pane right of the board, or takes it away; the window grows or shrinks to
// the right and keeps its top-left. A record read from a file while the pane was away is
// read again for its notes.
void ToggleInfoPane();
// Marks the stone of the last move, or stops marking it.
void ToggleLastMoveMark();
