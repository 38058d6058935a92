#include "record/position_pool.h"

#include <cassert>

Position& PositionAt(PositionPool& pool, int i) {
  assert(i >= 0);
  const auto wanted = static_cast<std::size_t>(i) + 1;
  while (pool.size() < wanted) {
    auto fresh = std::make_unique<Position>();
    fresh->Clear();
    pool.push_back(std::move(fresh));
  }
  return *pool[static_cast<std::size_t>(i)];
}
