// The board's tiles at any cell size, from the recipe of the shipped sheets.
#include "drawing/tile_art.h"

#include <algorithm>
#include <vector>

#include "drawing/disk_art.h"

namespace {

// The largest cell of the shipped sheets, whose recipe the other sizes follow.
constexpr int kLargestShippedCell = 48;
// A stone's diameter, in cells: it leaves a hair of wood between neighbours.
constexpr double kStoneDiameter = 0.94;

struct StarSize {
  int cell;
  double diameter;
};
// The star point's diameter at the shipped sizes: about a fifth of the cell, and never so
// small that it vanishes into the crossing.
constexpr StarSize kStarSizes[] = {{16, 3.4}, {24, 5.0}, {32, 6.2}, {40, 8.5}, {48, 10.0}};

// Between the shipped sizes the diameter follows the line between them; beyond them it
// keeps the proportion of the nearest.
double StarDiameter(int c) {
  const StarSize* const begin = std::begin(kStarSizes);
  const StarSize* const end = std::end(kStarSizes);
  if (c <= begin->cell) return begin->diameter;
  if (c >= (end - 1)->cell) return (end - 1)->diameter * c / (end - 1)->cell;
  const StarSize* above = begin;
  while (above->cell < c) ++above;
  const StarSize* below = above - 1;
  const double t = static_cast<double>(c - below->cell) / (above->cell - below->cell);
  return below->diameter + t * (above->diameter - below->diameter);
}

// First pixel of a line of width w through the middle of a cell of c pixels: the centre
// lies between pixels c/2 - 1 and c/2, so a 2-pixel line is exactly centred.
int LineStart(int c, int w) { return c / 2 - w / 2; }

// An empty point; side and row are 0 for the board's left or top edge, 2 for its right or
// bottom edge, 1 inside. The lines stop at the centre on an edge.
ArtImage EmptyTile(int c, int side, int row) {
  const int w = GridLineWidth(c);
  const int lo = LineStart(c, w);
  const int hi = lo + w;
  ArtImage tile(c, c, kWood);
  tile.Fill(side == 0 ? lo : 0, lo, side == 2 ? hi : c, hi, kGridLine);
  tile.Fill(lo, row == 0 ? lo : 0, hi, row == 2 ? hi : c, kGridLine);
  return tile;
}

}  // namespace

int GridLineWidth(int c) { return std::max(1, (c + 11) / 22); }

ArtImage DrawTileSheet(int c) {
  ArtImage sheet(10 * c, 3 * c, kWood);
  const double middle = c / 2.0;
  const int n = SamplesPerPixel(c, kLargestShippedCell);
  const DiskLayer black(c, c, {{DiskLook::kBlackStone, middle, middle, kStoneDiameter * c, {}}}, n);
  const DiskLayer white(c, c, {{DiskLook::kWhiteStone, middle, middle, kStoneDiameter * c, {}}}, n);
  const int w = GridLineWidth(c);
  const double crossing = LineStart(c, w) + w / 2.0;
  const DiskLayer star(c, c, {{DiskLook::kFlat, crossing, crossing, StarDiameter(c), kGridLine}}, n);
  for (int row = 0; row < 3; ++row) {
    for (int side = 0; side < 3; ++side) {
      const ArtImage empty = EmptyTile(c, side, row);
      sheet.Paste(empty, side * c, row * c);
      sheet.Paste(black.Over(empty), (3 + side) * c, row * c);
      sheet.Paste(white.Over(empty), (6 + side) * c, row * c);
    }
    sheet.Paste(star.Over(EmptyTile(c, 1, 1)), 9 * c, row * c);
  }
  return sheet;
}
