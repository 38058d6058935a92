#pragma once

// The information pane right of the board: as high as the board, and wide enough for
// sixteen characters of the message font beside the smallest board, wider beside the
// larger ones.
struct InfoPaneGeometry {
  int width;   // of the pane
  int margin;  // between the pane's edges and its text boxes
  int gap;     // between two text boxes
};

// The pane beside cells of cellSize pixels at dpi (96 for 100 %): 256 pixels at 96 DPI,
// scaled, or 8 cells, whichever is wider.
InfoPaneGeometry InfoPaneGeometryAt(int cellSize, int dpi);
