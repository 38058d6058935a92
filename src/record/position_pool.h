#pragma once
#include <memory>
#include <vector>

#include "record/position.h"

// A growable sequence of owned Positions. A Position never moves once created, so a
// reference to one stays valid while the pool grows. The pool only grows.
using PositionPool = std::vector<std::unique_ptr<Position>>;

// Position i of the pool, appending cleared Positions until the pool holds i + 1.
Position& PositionAt(PositionPool& pool, int i);
