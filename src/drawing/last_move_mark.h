#pragma once
#include "drawing/art_image.h"

// The ring that marks the stone of the last move, in the colour opposite to the stone.
constexpr ArtColour kMarkOnBlack{236, 236, 232};
constexpr ArtColour kMarkOnWhite{24, 24, 24};

// The stone tiles of a sheet of cells of c pixels with the ring over each stone. stones
// is 6 x 3 cells, columns 3 to 8 of a tile sheet: black stones in its columns 0 to 2,
// white ones in 3 to 5. The ring is sampled and averaged as the stones are, so it stays
// crisp at every size; pixels it does not touch keep their colour exactly.
ArtImage MarkStoneTiles(const ArtImage& stones, int c);
