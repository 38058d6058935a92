#include "formats/move_code.h"

namespace {

struct NoTrack {
  void Made(std::size_t) {}
};

struct TrackMakers {
  std::vector<std::int32_t>* madeBy;
  void Made(std::size_t code) { madeBy->push_back(static_cast<std::int32_t>(code)); }
};

template <class Track>
int Replay(PositionPool& mainLine, const MoveCodeList& codes, Track& track) {
  int count = 1;
  Position* previous = &PositionAt(mainLine, 0);
  for (std::size_t k = 0; k < codes.size(); ++k) {
    const MoveCode code = codes[k];
    const int colour = code / 100 / 100;
    const int x = code / 100 % 100;
    const int y = code % 100;
    // The readers build no other codes; anything else would point outside the cells.
    if (code < 0 || colour > White || x >= kBoardSize || y >= kBoardSize) continue;
    const Stone there = previous->At(x, y);
    const bool isStone = colour != Empty;
    if (isStone ? there != Empty : there == Empty) continue;

    ++count;
    Position& next = PositionAt(mainLine, count - 1);
    next.CopyFrom(*previous);
    next.Set(x, y, static_cast<Stone>(colour));
    if (colour == Black) {
      next.Capture(x, y);
      previous->nextMode = ID_NEXT_BLACK;
      next.nextMode = ID_NEXT_WHITE;
    } else if (colour == White) {
      next.Capture(x, y);
      previous->nextMode = ID_NEXT_WHITE;
      next.nextMode = ID_NEXT_BLACK;
    }
    // A removal keeps the mode it copied.
    next.lastX = x;
    next.lastY = y;
    previous = &next;
    track.Made(k);
  }
  return count;
}

}  // namespace

int ReplayMoveCodes(PositionPool& mainLine, const MoveCodeList& codes) {
  NoTrack none;
  return Replay(mainLine, codes, none);
}

int ReplayMoveCodes(PositionPool& mainLine, const MoveCodeList& codes,
                    std::vector<std::int32_t>* madeBy) {
  madeBy->clear();
  TrackMakers track{madeBy};
  return Replay(mainLine, codes, track);
}
