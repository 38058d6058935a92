#pragma once
#include <cstddef>
#include <vector>

// The SGF filter (KeepSgfBytes) for the reader that gathers notes: one pass keeps the
// bytes and sees, on the way, what the notes look for. Where the processor can shuffle
// bytes, it keeps sixteen at a time with two stores, where the plain filter stores every
// byte; the plain reader keeps its own filter, the reference for both.

// What the filter saw as it passed, in file offsets of the text.
struct FilterSights {
  static constexpr std::size_t kMarkEvery = 256;
  std::vector<std::size_t> cs;      // every "C", ascending
  std::vector<std::size_t> es;      // every "E", ascending
  std::vector<std::size_t> keptAt;  // bytes kept before offset kMarkEvery * i
  bool backslash = false;           // a "\" somewhere
  bool highBytes = false;           // a byte above 0x7F somewhere
};

// Writes the kept bytes of text[from, end) to out, which has room for end - from bytes,
// and returns their count; kept is the count kept before from. Adds what it sees to
// *sights. A text filtered in several calls, each from where the last ended, gives what
// one call gives.
std::size_t KeepSgfBytesSeeing(char* out, const unsigned char* text, std::size_t from,
                               std::size_t end, std::size_t kept, FilterSights* sights);
// The same, sixteen bytes at a time only where wide and the processor can.
std::size_t KeepSgfBytesSeeing(char* out, const unsigned char* text, std::size_t from,
                               std::size_t end, std::size_t kept, FilterSights* sights, bool wide);
