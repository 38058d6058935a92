#include <cstdlib>
#include <cstring>
#include <new>

#include "formats/read_text.h"
#include "formats/record_reader.h"
#include "formats/record_text.h"
#include "platform/record_file_io.h"

namespace {

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// "a" to "s" are 0 to 18; every other byte makes the point invalid.
bool CoordinateOf(unsigned char letter, int* value) {
  if (letter < 'a' || letter > 's') return false;
  *value = letter - 'a';
  return true;
}

int MoveColour(unsigned char letter) {
  return letter == 'B' ? Black : letter == 'W' ? White : Empty;
}

bool IsMoveLetter(unsigned char c) { return c == 'B' || c == 'W' || c == 'E'; }

// What the scan tells a policy besides the codes: nothing, for the board alone. Reach
// comes between items, at or after the offset the policy last asked for and before the
// codes of any item that starts there, and returns the next such offset.
struct NoMarks {
  std::size_t FirstCheck() const { return static_cast<std::size_t>(-1); }
  std::size_t Reach(std::size_t, std::size_t) { return static_cast<std::size_t>(-1); }
  void Removal(std::size_t) {}
  void Pass(std::size_t) {}
  void SetupList(std::size_t, std::size_t) {}
  void Finish(std::size_t) {}
};

// Scans the item that starts at t[p] into codes, as ScanSgfText does; returns where the
// next item can start, n when the text ends. Each value of an AB or AW list is an item
// of its own: before one at or after *nextCheck, marks.Reach sets the next check.
template <class Marks>
inline std::size_t ScanSgfItem(const unsigned char* t, std::size_t n, std::size_t p,
                               MoveCodeList& codes, Marks& marks, std::size_t* nextCheck) {
  const unsigned char c = t[p];
  // Spaced-out files: a blank where an item could start is no item.
  if (IsBlank(c)) return p + 1;
  // An empty move value (a pass) is its three bytes and no move.
  if (IsMoveLetter(c) && p + 3 <= n && t[p + 1] == '[' && t[p + 2] == ']') {
    if (c != 'E') marks.Pass(codes.size());
    return p + 3;
  }
  // B[xy], W[xy], E[xy]: always five bytes, whatever the letters are; the fifth is not
  // looked at.
  if (IsMoveLetter(c) && p + 5 <= n && t[p + 1] == '[') {
    int x = 0;
    int y = 0;
    if (CoordinateOf(t[p + 2], &x) && CoordinateOf(t[p + 3], &y)) {
      if (c == 'E') marks.Removal(codes.size());
      codes.push_back(MakeMoveCode(MoveColour(c), x, y));
    } else if (c != 'E' && t[p + 2] == 't' && t[p + 3] == 't') {
      marks.Pass(codes.size());  // "tt" is a pass on a 19 x 19 board
    }
    return p + 5;
  }
  // AB or AW, then values of exactly four bytes; any other value ends the list.
  if (c == 'A' && p + 6 <= n && (t[p + 1] == 'B' || t[p + 1] == 'W') && t[p + 2] == '[') {
    const int colour = MoveColour(t[p + 1]);
    const std::size_t first = codes.size();
    p += 2;
    while (p + 4 <= n && t[p] == '[' && t[p + 3] == ']') {
      int x = 0;
      int y = 0;
      if (CoordinateOf(t[p + 1], &x) && CoordinateOf(t[p + 2], &y)) {
        if (p >= *nextCheck) *nextCheck = marks.Reach(p, codes.size());
        codes.push_back(MakeMoveCode(colour, x, y));
      }
      p += 4;
      while (p < n && IsBlank(t[p])) ++p;
    }
    marks.SetupList(first, codes.size());
    return p;
  }
  // Anything else: on past the next "]". No escapes: in Shift-JIS texts a character may
  // end in a backslash, which must not hide the "]" after it.
  const void* close = std::memchr(t + p, ']', n - p);
  if (close == nullptr) return n;
  return static_cast<std::size_t>(static_cast<const unsigned char*>(close) - t) + 1;
}

// The MoveCodes of the SGF text t[0, n), as ScanSgfText gives them. marks hears where
// items start, passes and setup lists, by the number of codes before them.
template <class Marks>
MoveCodeList ScanSgfBytes(const unsigned char* t, std::size_t n, Marks& marks) {
  MoveCodeList codes;
  // No code takes fewer than four bytes ("[pd]" in a list), so this is room enough; it
  // spares the copies of a growing list, and pages never written are never touched.
  codes.reserve(n / 4);
  std::size_t p = 0;
  std::size_t nextCheck = marks.FirstCheck();
  while (p < n) {
    // The items before the next offset the marks ask about are scanned without a look at
    // it: one check a stretch, not one a code, leaves the loop's registers to the codes.
    const std::size_t stop = nextCheck < n ? nextCheck : n;
    while (p < stop) p = ScanSgfItem(t, n, p, codes, marks, &nextCheck);
    // Every item that starts before p is scanned, and none after it.
    if (p >= nextCheck) nextCheck = marks.Reach(p, codes.size());
  }
  marks.Finish(codes.size());
  return codes;
}

}  // namespace

void AppendSgfBytes(std::string& text, const unsigned char* bytes, std::size_t size) {
  // Kept bytes are gathered in a small buffer, then appended as one run.
  char kept[256];
  while (size > 0) {
    const std::size_t piece = size < sizeof kept ? size : sizeof kept;
    text.append(kept, KeepSgfBytes(kept, bytes, piece));
    bytes += piece;
    size -= piece;
  }
}

MoveCodeList ScanSgfText(const std::string& text) {
  NoMarks none;
  return ScanSgfBytes(reinterpret_cast<const unsigned char*>(text.data()), text.size(), none);
}

namespace {

// Hears what ScanSgfTextMarked tells its marks. Without kRemovals it takes no E item for a
// removal, and the scan then spends no test on one.
template <bool kRemovals>
struct Recorder {
  SgfScanMarks& marks;
  std::size_t next = 0;
  std::size_t FirstCheck() const { return NextOffset(); }
  // Notes the codes before every checkpoint up to p; the offset of the next one.
  std::size_t Reach(std::size_t p, std::size_t codes) {
    while (next < marks.checkpoints.size() && marks.checkpoints[next] <= p) {
      marks.codesBefore[next++] = static_cast<std::int32_t>(codes);
    }
    return NextOffset();
  }
  std::size_t NextOffset() const {
    return next < marks.checkpoints.size() ? marks.checkpoints[next] : static_cast<std::size_t>(-1);
  }
  void Removal(std::size_t code) {
    if (kRemovals) marks.removals.push_back(static_cast<std::int32_t>(code));
  }
  void Pass(std::size_t codes) { marks.passes.push_back(static_cast<std::int32_t>(codes)); }
  void SetupList(std::size_t first, std::size_t end) {
    if (end > first) {
      marks.setupLists.push_back({static_cast<std::int32_t>(first), static_cast<std::int32_t>(end)});
    }
  }
  void Finish(std::size_t codes) { Reach(static_cast<std::size_t>(-1), codes); }
};

}  // namespace

bool MayHoldRemovals(const unsigned char* t, std::size_t n) {
  for (const unsigned char* at = t; n >= 4 && at <= t + n - 4; ++at) {
    at = static_cast<const unsigned char*>(std::memchr(at, 'E', static_cast<std::size_t>(t + n - 3 - at)));
    if (at == nullptr) return false;
    int x = 0;
    if (at[1] == '[' && CoordinateOf(at[2], &x) && CoordinateOf(at[3], &x)) return true;
  }
  return false;
}

MoveCodeList ScanSgfTextMarked(const unsigned char* text, std::size_t size, bool mayHoldRemovals,
                               SgfScanMarks* marks) {
  marks->passes.clear();
  marks->removals.clear();
  marks->setupLists.clear();
  marks->codesBefore.assign(marks->checkpoints.size(), 0);
  if (mayHoldRemovals) {
    Recorder<true> recorder{*marks};
    return ScanSgfBytes(text, size, recorder);
  }
  Recorder<false> recorder{*marks};
  return ScanSgfBytes(text, size, recorder);
}

int ReadSgf(PositionPool& mainLine, const char* cleanedName) {
  ReadText text;
  platform::ReadFileChunks(cleanedName, [&text](const unsigned char* bytes, std::size_t size) {
    text.AppendKept(bytes, size);
  });
  NoMarks none;
  return ReplayMoveCodes(mainLine, ScanSgfBytes(text.Data(), text.Size(), none));
}
