#include "record/position.h"

#include "record/point_code_set.h"

namespace {

// Calls visit(nx, ny) for each neighbour of (x, y) that lies on the board, in the
// order left, up, right, down.
template <typename Visit>
inline void ForEachNeighbour(int x, int y, Visit visit) {
  if (x > 0) visit(x - 1, y);
  if (y > 0) visit(x, y - 1);
  if (x < kBoardSize - 1) visit(x + 1, y);
  if (y < kBoardSize - 1) visit(x, y + 1);
}

inline PointCode CodeOf(int x, int y) { return x * 100 + y; }
inline int XOf(PointCode code) { return code / 100; }
inline int YOf(PointCode code) { return code % 100; }

}  // namespace

void Position::Clear() {
  nextMode = ID_NEXT_BLACK;
  lastX = 0;
  lastY = 0;
  for (Stone& cell : cells) cell = Empty;
}

void Position::CopyFrom(const Position& other) { *this = other; }

void Position::Capture(int x, int y) {
  const Stone placed = At(x, y);

  // Adjacent stones of the other colour, one entry per side: a group touched on two
  // sides is examined twice, and the second look finds nothing left to take.
  PointCode touching[4];
  int touchingCount = 0;
  ForEachNeighbour(x, y, [&](int nx, int ny) {
    const Stone s = At(nx, ny);
    if (s != Empty && s != placed) touching[touchingCount++] = CodeOf(nx, ny);
  });

  // Two bitsets on the stack: ordered like the sorted sets the rule speaks of, with
  // nothing to allocate or rebalance.
  PointCodeSet toVisit;
  PointCodeSet group;
  for (int i = 0; i < touchingCount; ++i) {
    toVisit.Insert(touching[i]);
    while (!toVisit.Empty()) {
      const PointCode code = toVisit.Smallest();
      group.Insert(code);
      toVisit.Erase(code);
      const int gx = XOf(code);
      const int gy = YOf(code);
      const Stone colour = At(gx, gy);
      ForEachNeighbour(gx, gy, [&](int nx, int ny) {
        const PointCode next = CodeOf(nx, ny);
        if (At(nx, ny) == colour && !group.Contains(next)) toVisit.Insert(next);
      });
    }

    bool hasLiberty = false;
    for (auto it = group.begin(); it != group.end() && !hasLiberty; ++it) {
      const int gx = XOf(*it);
      const int gy = YOf(*it);
      // The four tests stop at the first Empty neighbour.
      hasLiberty = (gx > 0 && At(gx - 1, gy) == Empty) ||
                   (gy > 0 && At(gx, gy - 1) == Empty) ||
                   (gx < kBoardSize - 1 && At(gx + 1, gy) == Empty) ||
                   (gy < kBoardSize - 1 && At(gx, gy + 1) == Empty);
    }
    if (!hasLiberty) {
      for (const PointCode code : group) Set(XOf(code), YOf(code), Empty);
    }
    group.Clear();
  }
}
