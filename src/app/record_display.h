#pragma once

// After the whole record changed (New, Open): the Next-move check mark and the toolbar
// follow the current Position's mode, the whole board is repainted, and the information
// pane tells of the new record.
void ShowWholeRecord();
