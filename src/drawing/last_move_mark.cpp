// The last-move ring, laid over stone tiles already drawn, whether shipped or drawn at
// run time.
#include "drawing/last_move_mark.h"

#include <algorithm>
#include <vector>

#include "drawing/disk_art.h"

namespace {

// The ring's outer radius and its width, in cells: half the stone across, and a line a
// little heavier than the grid's. Never under one pixel wide, or small boards lose it.
constexpr double kOuterRadius = 0.25;
constexpr double kWidth = 0.07;
// The recipe the sample count follows, as for the stones.
constexpr int kRecipeCell = 48;

// Each pixel's share of the ring in a cell of c pixels, in samples: 0 to n * n.
std::vector<int> RingCoverage(int c, int n) {
  const double centre = c / 2.0;
  const double outer = kOuterRadius * c;
  const double inner = outer - std::max(1.0, kWidth * c);
  std::vector<int> coverage(static_cast<std::size_t>(c) * c, 0);
  for (int y = 0; y < c; ++y) {
    for (int x = 0; x < c; ++x) {
      int inside = 0;
      for (int sy = 0; sy < n; ++sy) {
        const double dy = y + (sy + 0.5) / n - centre;
        for (int sx = 0; sx < n; ++sx) {
          const double dx = x + (sx + 0.5) / n - centre;
          const double r2 = dx * dx + dy * dy;
          inside += r2 <= outer * outer && r2 >= inner * inner;
        }
      }
      coverage[static_cast<std::size_t>(y) * c + x] = inside;
    }
  }
  return coverage;
}

unsigned char Mix(unsigned char base, unsigned char ring, int share, int whole) {
  return static_cast<unsigned char>((base * (whole - share) + ring * share + whole / 2) / whole);
}

}  // namespace

ArtImage MarkStoneTiles(const ArtImage& stones, int c) {
  ArtImage marked = stones;
  const int n = SamplesPerPixel(c, kRecipeCell);
  const int whole = n * n;
  const std::vector<int> coverage = RingCoverage(c, n);
  for (int tileY = 0; tileY < 3 * c; tileY += c) {
    for (int tileX = 0; tileX < 6 * c; tileX += c) {
      const ArtColour ring = tileX < 3 * c ? kMarkOnBlack : kMarkOnWhite;
      for (int y = 0; y < c; ++y) {
        for (int x = 0; x < c; ++x) {
          const int share = coverage[static_cast<std::size_t>(y) * c + x];
          if (share == 0) continue;
          ArtColour& p = marked.At(tileX + x, tileY + y);
          p = ArtColour{Mix(p.r, ring.r, share, whole), Mix(p.g, ring.g, share, whole),
                        Mix(p.b, ring.b, share, whole)};
        }
      }
    }
  }
  return marked;
}
