// The last-move ring over the stone tiles, at shipped and drawn sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "drawing/last_move_mark.h"
#include "drawing/tile_art.h"

TEST(LastMoveMark, EachStoneGetsACentredRingOfTheOtherColourAndNothingElseChanges) {
  for (int c : {16, 24, 32, 45, 96}) {
    const ArtImage stones = DrawTileSheet(c).Crop(3 * c, 0, 6 * c, 3 * c);
    const ArtImage marked = MarkStoneTiles(stones, c);
    for (int tile = 0; tile < 18; ++tile) {
      const int left = tile % 6 * c, top = tile / 6 * c;
      const ArtColour ring = tile % 6 < 3 ? kMarkOnBlack : kMarkOnWhite;
      auto changed = [&](int x, int y) {
        return marked.At(left + x, top + y) != stones.At(left + x, top + y);
      };
      int closest = 255;  // of the row through the centre, the pixel nearest the ring's colour
      for (int y = 0; y < c; ++y) {
        for (int x = 0; x < c; ++x) {
          // A ring off its stone's centre changes pixels whose mirror images keep theirs.
          ASSERT_EQ(changed(x, y), changed(c - 1 - x, c - 1 - y)) << c << ", tile " << tile;
          const ArtColour p = marked.At(left + x, top + y);
          const int off =
              std::max({std::abs(p.r - ring.r), std::abs(p.g - ring.g), std::abs(p.b - ring.b)});
          if (y == c / 2) closest = std::min(closest, off);
        }
      }
      EXPECT_LT(closest, 40) << c << ", tile " << tile << ": the ring is too faint";
      EXPECT_FALSE(changed(c / 2, c / 2) || changed(0, 0)) << c << ", tile " << tile;
    }
  }
}
