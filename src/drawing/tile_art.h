#pragma once
#include "drawing/art_image.h"

// Width in pixels of the grid lines at cell size c: near the 1:22 of a real board,
// whole pixels so that every line stays crisp, and never under one.
int GridLineWidth(int c);

// The tile sheet for cells of c pixels, drawn as the shipped sheets are: 10 x 3 cells of
// empty corners, edges and inner point, the same under a black and under a white stone,
// and the star point, on one flat wood colour.
ArtImage DrawTileSheet(int c);
