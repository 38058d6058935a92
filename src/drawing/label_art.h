#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "drawing/art_image.h"

// How much ink covers each pixel of a picture: 0 bare wood, 255 full ink.
struct Coverage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> values;  // top row first
  std::uint8_t At(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
};

// Reads a bitmap resource of 8 bits a pixel in run-length coding (BI_RLE8), as the label
// masters are stored: the info header, the palette and the codes. Each pixel's palette
// index is its coverage. False, and *mask untouched, for any other kind of bitmap or for
// codes that break off or run outside the picture.
bool DecodeRle8Mask(const std::uint8_t* resource, std::size_t size, Coverage* mask);

// The label strips for cells of c pixels, from masters drawn for cells of masterCell
// pixels: the column strip 19 x 1 cells (1 to 19), the row strip 1 x 20 cells (a blank
// corner, then the kanji numerals). A master is shrunk with an area filter and never
// enlarged: above masterCell the labels keep the master's size, centred in their cells.
// An empty master (one that failed to decode) gives bare wood.
ArtImage DrawColumnLabels(const Coverage& master, int masterCell, int c);
ArtImage DrawRowLabels(const Coverage& master, int masterCell, int c);
