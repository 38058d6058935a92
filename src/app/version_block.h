#pragma once
#include <cstddef>

// One string entry of a version resource: key and value, UTF-16, NUL-terminated.
struct VersionEntry {
  char16_t key[100];
  char16_t value[100];
};

constexpr int kVersionEntryCount = 8;

// Walks a VS_VERSIONINFO block of size bytes to the eight entries of its first string
// table, as a resource compiler lays them out. Never reads past size bytes nor writes past
// the 100-unit buffers; a block of another shape leaves the entries it cannot reach empty.
// Returns the number of entries found.
int ReadVersionEntries(const unsigned char* block, std::size_t size,
                       VersionEntry (&entries)[kVersionEntryCount]);
