#include "formats/file_name.h"

#include <cstring>

bool CleanFileName(char* destination, const char* source) {
  destination[0] = '\0';
  if (source == nullptr || source[0] == '\0') return false;
  // One quote comes off each end, each end by itself.
  const char* start = source[0] == '"' ? source + 1 : source;
  std::size_t length = std::strlen(start);
  if (length > 0 && start[length - 1] == '"') --length;
  if (length == 0) return false;
  // A name the buffer cannot hold is refused whole rather than cut: a cut name could
  // open some other file.
  if (length > kFileNameCapacity - 1) return false;
  std::memcpy(destination, start, length);
  destination[length] = '\0';
  return true;
}
