#pragma once

// After the whole record changed (New, Open): the Next-move check mark and the toolbar
// follow the current Position's mode, and the whole board is repainted.
void ShowWholeRecord();
