#include <cstdlib>
#include <cstring>
#include <new>

#include "formats/record_reader.h"
#include "formats/record_text.h"
#include "platform/record_file_io.h"

namespace {

// 1 for the bytes the SGF text keeps, 0 for those it never keeps: line feed, carriage
// return, "(", ")" and ";".
struct KeptBytes {
  unsigned char kept[256] = {};
  constexpr KeptBytes() {
    for (unsigned char& k : kept) k = 1;
    kept[10] = kept[13] = kept[40] = kept[41] = kept[59] = 0;
  }
};
constexpr KeptBytes kKept;

// The text's first capacity. The fuzz build starts it small, so that short inputs make it
// grow as a large file does.
#ifndef TAVUNE_SGF_FIRST_CAPACITY
#define TAVUNE_SGF_FIRST_CAPACITY 4096
#endif
constexpr std::size_t kFirstCapacity = TAVUNE_SGF_FIRST_CAPACITY;

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

// Writes the kept bytes of bytes[0, size) to out, which has room for size bytes, and
// returns their count. Every byte is stored and the count only grows for kept ones, so
// there is no branch per byte.
std::size_t KeepSgfBytes(char* out, const unsigned char* bytes, std::size_t size) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < size; ++i) {
    out[count] = static_cast<char>(bytes[i]);
    count += kKept.kept[bytes[i]];
  }
  return count;
}

// The SGF text of a file as it is read. It grows with realloc, which extends a large
// block in place or moves its pages without copying them; a std::string would copy the
// text into fresh memory at every doubling, and for a large file that copying and the
// page faults it brings cost more than the filter itself.
class ReadText {
 public:
  ReadText() = default;
  ReadText(const ReadText&) = delete;
  ReadText& operator=(const ReadText&) = delete;
  ~ReadText() { std::free(bytes_); }

  // Appends the kept bytes of bytes[0, size).
  void AppendKept(const unsigned char* bytes, std::size_t size) {
    if (capacity_ - size_ < size) Grow(size_ + size);
    size_ += KeepSgfBytes(bytes_ + size_, bytes, size);
  }
  // The text so far; null while it is empty.
  const unsigned char* Data() const { return reinterpret_cast<const unsigned char*>(bytes_); }
  // Its length in bytes.
  std::size_t Size() const { return size_; }

 private:
  void Grow(std::size_t needed) {
    std::size_t capacity = capacity_ < kFirstCapacity ? kFirstCapacity : capacity_;
    while (capacity < needed) capacity *= 2;
    void* grown = std::realloc(bytes_, capacity);
    if (grown == nullptr) throw std::bad_alloc();
    bytes_ = static_cast<char*>(grown);
    capacity_ = capacity;
  }

  char* bytes_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// The MoveCodes of the SGF text t[0, n), as ScanSgfText gives them.
MoveCodeList ScanSgfBytes(const unsigned char* t, std::size_t n) {
  MoveCodeList codes;
  // No code takes fewer than four bytes ("[pd]" in a list), so this is room enough; it
  // spares the copies of a growing list, and pages never written are never touched.
  codes.reserve(n / 4);
  std::size_t p = 0;
  while (p < n) {
    const unsigned char c = t[p];
    // Spaced-out files: a blank where an item could start is no item.
    if (IsBlank(c)) {
      ++p;
      continue;
    }
    // An empty move value (a pass) is its three bytes and no move.
    if (IsMoveLetter(c) && p + 3 <= n && t[p + 1] == '[' && t[p + 2] == ']') {
      p += 3;
      continue;
    }
    // B[xy], W[xy], E[xy]: always five bytes, whatever the letters are; the fifth is
    // not looked at.
    if (IsMoveLetter(c) && p + 5 <= n && t[p + 1] == '[') {
      int x = 0;
      int y = 0;
      if (CoordinateOf(t[p + 2], &x) && CoordinateOf(t[p + 3], &y)) {
        codes.push_back(MakeMoveCode(MoveColour(c), x, y));
      }
      p += 5;
      continue;
    }
    // AB or AW, then values of exactly four bytes; any other value ends the list.
    if (c == 'A' && p + 6 <= n && (t[p + 1] == 'B' || t[p + 1] == 'W') && t[p + 2] == '[') {
      const int colour = MoveColour(t[p + 1]);
      p += 2;
      while (p + 4 <= n && t[p] == '[' && t[p + 3] == ']') {
        int x = 0;
        int y = 0;
        if (CoordinateOf(t[p + 1], &x) && CoordinateOf(t[p + 2], &y)) {
          codes.push_back(MakeMoveCode(colour, x, y));
        }
        p += 4;
        while (p < n && IsBlank(t[p])) ++p;
      }
      continue;
    }
    // Anything else: on past the next "]". No escapes: in Shift-JIS texts a character
    // may end in a backslash, which must not hide the "]" after it.
    const void* close = std::memchr(t + p, ']', n - p);
    if (close == nullptr) break;
    p = static_cast<std::size_t>(static_cast<const unsigned char*>(close) - t) + 1;
  }
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
  return ScanSgfBytes(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

int ReadSgf(PositionPool& mainLine, const char* cleanedName) {
  ReadText text;
  platform::ReadFileChunks(cleanedName, [&text](const unsigned char* bytes, std::size_t size) {
    text.AppendKept(bytes, size);
  });
  return ReplayMoveCodes(mainLine, ScanSgfBytes(text.Data(), text.Size()));
}
