#pragma once
#include <cstddef>

// Room for a cleaned file name: 1000 bytes of UTF-8 and the terminator.
constexpr std::size_t kFileNameCapacity = 1001;

// Copies source into destination (kFileNameCapacity bytes) without one leading and one
// trailing double quote. False when source or the result is empty, or when the result
// would not fit; destination is then not a usable name.
bool CleanFileName(char* destination, const char* source);
