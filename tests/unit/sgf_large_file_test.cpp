#include <gtest/gtest.h>

#include <random>
#include <string>

#include "formats/record_reader.h"
#include "formats/record_text.h"
#include "record_test_support.h"

namespace {

// Random SGF-like bytes: moves, removals, passes, setup lists, comments, line breaks,
// blanks, branches, and items with letters off the board.
std::string RandomSgfBytes(std::mt19937& random, std::size_t size) {
  static const char* const kPieces[] = {";B[", ";W[", "E[", "AB[", "AW[", "B[]", "][",
                                        "]",   "C[a ", "\\]", "\r\n", " ", "\t", "(", ")",
                                        "GM[1]", "\x93\x5c", "B[tt]"};
  std::string text = "(;GM[1]SZ[19]";
  while (text.size() < size) {
    const auto piece = random() % (sizeof kPieces / sizeof kPieces[0] + 4);
    if (piece < sizeof kPieces / sizeof kPieces[0]) {
      text += kPieces[piece];
    } else {
      // Two letters, now and then one past "s".
      text += static_cast<char>('a' + random() % 20);
      text += static_cast<char>('a' + random() % 20);
      text += random() % 3 == 0 ? "]" : "][";
    }
  }
  return text + ")";
}

// The reader keeps the text of a file in a buffer that grows as the file is read; a file
// many times its first size must give what the same bytes give in memory.
TEST(SgfLargeFile, ReadsAsTheSameBytesDoInMemory) {
  record_test::TempFolder folder;
  std::mt19937 random(4096);
  for (const std::size_t size : {4000u, 4200u, 70000u, 300000u}) {
    SCOPED_TRACE(size);
    const std::string bytes = RandomSgfBytes(random, size);

    PositionPool fromFile;
    PositionAt(fromFile, 0).Clear();
    const int fileCount = ReadRecordFile(fromFile, folder.Write("large.sgf", bytes).c_str());

    std::string text;
    AppendSgfBytes(text, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    PositionPool fromText;
    PositionAt(fromText, 0).Clear();
    const int textCount = ReplayMoveCodes(fromText, ScanSgfText(text));

    ASSERT_EQ(fileCount, textCount);
    ASSERT_GT(fileCount, 10);
    for (int i = 0; i < fileCount; ++i) {
      const Position& a = PositionAt(fromFile, i);
      const Position& b = PositionAt(fromText, i);
      ASSERT_TRUE(record_test::SameCells(a, b)) << i;
      ASSERT_EQ(a.lastX, b.lastX) << i;
      ASSERT_EQ(a.lastY, b.lastY) << i;
      ASSERT_EQ(a.nextMode, b.nextMode) << i;
    }
  }
}

}  // namespace
