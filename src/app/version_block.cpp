#include "app/version_block.h"

#include <cstdint>

namespace {

// Every node starts with three 16-bit fields: length, value length, type.
constexpr std::size_t kNodeHeader = 6;
// VS_FIXEDFILEINFO, which follows the root key.
constexpr std::size_t kFixedInfoSize = 52;
constexpr std::size_t kBufferUnits = 100;

// A bounded view of the block: nothing at or beyond limit is ever read.
struct Block {
  const unsigned char* bytes;
  std::size_t limit;

  char16_t UnitAt(std::size_t offset) const {
    return static_cast<char16_t>(bytes[offset] | (bytes[offset + 1] << 8));
  }
  std::size_t WordAt(std::size_t offset) const {
    return offset + 2 <= limit ? UnitAt(offset) : 0;
  }
  // Length in units of the NUL-terminated string at offset, or -1 when no terminator
  // stands before the limit.
  long StringLength(std::size_t offset) const {
    for (std::size_t at = offset; at + 2 <= limit; at += 2) {
      if (UnitAt(at) == 0) return static_cast<long>((at - offset) / 2);
    }
    return -1;
  }
};

std::size_t Align(std::size_t offset) { return (offset + 3) & ~static_cast<std::size_t>(3); }

// Offset just past the string at offset and its terminator, aligned; 0 when the string
// runs past the limit.
std::size_t SkipString(const Block& block, std::size_t offset) {
  long length = block.StringLength(offset);
  if (length < 0) return 0;
  return Align(offset + 2 * static_cast<std::size_t>(length) + 2);
}

// True when the node at offset carries the given key.
bool KeyIs(const Block& block, std::size_t node, const char* key) {
  std::size_t at = node + kNodeHeader;
  for (; *key; ++key, at += 2) {
    if (at + 2 > block.limit || block.UnitAt(at) != static_cast<char16_t>(*key)) return false;
  }
  return at + 2 <= block.limit && block.UnitAt(at) == 0;
}

// Copies the string at offset into out (100 units with terminator); false when it does
// not end before the limit or does not fit.
bool CopyString(const Block& block, std::size_t offset, char16_t (&out)[kBufferUnits]) {
  long length = block.StringLength(offset);
  if (length < 0 || length >= static_cast<long>(kBufferUnits)) return false;
  for (long i = 0; i < length; ++i) out[i] = block.UnitAt(offset + 2 * i);
  out[length] = 0;
  return true;
}

// Narrows the block to the declared length of the node at offset.
Block Within(const Block& block, std::size_t node) {
  std::size_t declared = block.WordAt(node);
  std::size_t end = node + declared;
  return Block{block.bytes, end < block.limit ? end : block.limit};
}

}  // namespace

int ReadVersionEntries(const unsigned char* bytes, std::size_t size,
                       VersionEntry (&entries)[kVersionEntryCount]) {
  for (VersionEntry& entry : entries) entry = VersionEntry{};
  if (!bytes) return 0;
  Block block = Within(Block{bytes, size}, 0);
  if (!KeyIs(block, 0, "VS_VERSION_INFO")) return 0;

  std::size_t fixedInfo = SkipString(block, kNodeHeader);
  std::size_t stringFileInfo = Align(fixedInfo + kFixedInfoSize);
  if (!KeyIs(block, stringFileInfo, "StringFileInfo")) return 0;

  std::size_t table = SkipString(block, stringFileInfo + kNodeHeader);
  if (table == 0) return 0;
  block = Within(block, table);
  std::size_t entry = SkipString(block, table + kNodeHeader);

  int found = 0;
  while (found < kVersionEntryCount && entry != 0) {
    std::size_t value = SkipString(block, entry + kNodeHeader);
    if (value == 0 || !CopyString(block, entry + kNodeHeader, entries[found].key)) break;
    if (!CopyString(block, value, entries[found].value)) {
      entries[found].key[0] = 0;
      break;
    }
    ++found;
    entry = SkipString(block, value);
  }
  return found;
}
