#include <cstring>

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

}  // namespace

void AppendSgfBytes(std::string& text, const unsigned char* bytes, std::size_t size) {
  // Kept bytes are gathered in a small buffer without a test per byte, then appended.
  char kept[256];
  while (size > 0) {
    const std::size_t piece = size < sizeof kept ? size : sizeof kept;
    std::size_t count = 0;
    for (std::size_t i = 0; i < piece; ++i) {
      kept[count] = static_cast<char>(bytes[i]);
      count += kKept.kept[bytes[i]];
    }
    text.append(kept, count);
    bytes += piece;
    size -= piece;
  }
}

MoveCodeList ScanSgfText(const std::string& text) {
  MoveCodeList codes;
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
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

int ReadSgf(PositionPool& mainLine, const char* cleanedName) {
  std::string text;
  platform::ReadFileChunks(cleanedName, [&text](const unsigned char* bytes, std::size_t size) {
    AppendSgfBytes(text, bytes, size);
  });
  return ReplayMoveCodes(mainLine, ScanSgfText(text));
}
