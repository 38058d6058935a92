#pragma once
#include <cstdint>
#include <vector>

#include "record/position_pool.h"

// colour * 10000 + x * 100 + y; colour 0 removes the stone at (x, y), 1 sets black, 2 white.
using MoveCode = int;
using MoveCodeList = std::vector<MoveCode>;

// The MoveCode of colour (0..2) at column x, row y (both 0..18).
inline MoveCode MakeMoveCode(int colour, int x, int y) { return colour * 10000 + x * 100 + y; }

// Applies the list to the main line from Position 0, one Position per applied code;
// stones on occupied points, removals of empty points and codes that are no MoveCode
// are skipped. Returns the Position count, Position 0 included; at least 1.
int ReplayMoveCodes(PositionPool& mainLine, const MoveCodeList& codes);
// The same; *madeBy receives, for every Position after the first, the index of the code
// that made it, in Position order.
int ReplayMoveCodes(PositionPool& mainLine, const MoveCodeList& codes,
                    std::vector<std::int32_t>* madeBy);
