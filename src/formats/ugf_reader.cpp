#include "formats/record_reader.h"
#include "formats/record_text.h"
#include "platform/record_file_io.h"

namespace {

// "A" to "S" are 0 to 18, taken as they stand; every other byte makes the point invalid.
bool UgfCoordinateOf(unsigned char letter, int* value) {
  if (letter < 'A' || letter > 'S') return false;
  *value = letter - 'A';
  return true;
}

}  // namespace

MoveCodeList ScanUgfText(const std::string& text) {
  MoveCodeList codes;
  static const char kMarker[] = "[Data]\r\n";
  const std::size_t marker = text.find(kMarker, 0, 8);
  if (marker == std::string::npos) return codes;

  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t p = marker + 8;
  while (p < n) {
    // The colour in the fourth byte is looked at first, the two letters only after it.
    if (p + 3 < n && (t[p + 3] == 'B' || t[p + 3] == 'W')) {
      int x = 0;
      int y = 0;
      if (UgfCoordinateOf(t[p], &x) && UgfCoordinateOf(t[p + 1], &y)) {
        codes.push_back(MakeMoveCode(t[p + 3] == 'B' ? Black : White, x, y));
      }
    }
    const std::size_t lineEnd = text.find("\r\n", p, 2);
    if (lineEnd == std::string::npos) break;
    p = lineEnd + 2;
  }
  return codes;
}

int ReadUgf(PositionPool& mainLine, const char* cleanedName) {
  std::string text;
  platform::ReadFileChunks(cleanedName, [&text](const unsigned char* bytes, std::size_t size) {
    text.append(reinterpret_cast<const char*>(bytes), size);
  });
  return ReplayMoveCodes(mainLine, ScanUgfText(text));
}
