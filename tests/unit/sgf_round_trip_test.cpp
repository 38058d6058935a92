#include <gtest/gtest.h>

#include <random>
#include <string>

#include "record/game_record.h"
#include "record_test_support.h"

namespace {

using record_test::RecordingViews;
using record_test::TempFolder;

constexpr int kSmallCell = 24;

class RoundTrip : public ::testing::Test {
 protected:
  RoundTrip() { record.AttachViews(&views); }

  // Saves the line through the variation, reads it back into a fresh record and
  // checks that every Position of the line has come back with its cells and last point.
  void ExpectSameLineAfterReading(const std::string& label) {
    SCOPED_TRACE(label);
    const std::string path = folder.Path("round.sgf");
    record.WriteSgf(path.c_str());
    ASSERT_TRUE(views.calls.empty() || views.calls.back().rfind("save failed", 0) != 0);
    GameRecord readBack;
    readBack.Load(path.c_str());
    const int length = record.LineLength();
    ASSERT_EQ(readBack.LineLength(), length);
    for (int i = 0; i < length; ++i) {
      const Position& written = record.LinePositionAt(i);
      const Position& read = readBack.LinePositionAt(i);
      ASSERT_TRUE(record_test::SameCells(read, written))
          << "Position " << i << "\nwritten:\n" << record_test::Drawn(written) << "read:\n"
          << record_test::Drawn(read);
      if (i > 0) {
        ASSERT_EQ(read.lastX, written.lastX) << i;
        ASSERT_EQ(read.lastY, written.lastY) << i;
      }
    }
  }

  unsigned Pixel(int point) { return static_cast<unsigned>((point + 1) * kSmallCell); }

  TempFolder folder;
  RecordingViews views{kSmallCell};
  GameRecord record;
};

TEST_F(RoundTrip, RecordsReadFromFilesComeBackUnchanged) {
  const char* texts[] = {
      "",
      "(;GM[1]SZ[19];B[pd];W[dd];B[pp])",
      "(;AB[dd][pp];W[qd])",
      "AB[dd]AW[pp]",
      "B[pd]E[pd]",
      "B[ba]W[aa]B[ab]",
      "(;B[aa](;W[bb];B[cc])(;W[dd]))(;B[ee])",
      "AB[ab][ba][bb]AW[aa]B[ca]W[cb]E[ba]",
  };
  for (const char* text : texts) {
    record_test::LoadSgfText(record, folder, text);
    ExpectSameLineAfterReading(text);
  }
}

// Random editing: stones (often in one crowded corner, so that groups get captured),
// removals, steps back into the line and into a loaded main line, dropped variations
// and modes chosen by hand.
TEST_F(RoundTrip, GeneratedRecordsWithCapturesRemovalsAndVariationsComeBackUnchanged) {
  std::mt19937 random(20240611);
  int captures = 0;
  int removals = 0;
  for (int round = 0; round < 60; ++round) {
    if (round % 3 == 0) {
      record.Reset();
    } else {
      record_test::LoadSgfText(record, folder, "B[dd]W[pp]B[dp]W[pd]B[jj]W[cc]");
    }
    const int steps = 20 + static_cast<int>(random() % 200);
    for (int step = 0; step < steps; ++step) {
      const int choice = static_cast<int>(random() % 100);
      const int span = random() % 3 != 0 ? 4 : 19;
      const int x = static_cast<int>(random() % span);
      const int y = static_cast<int>(random() % span);
      if (choice < 80) {
        const Position before = record.Current();
        record.PutStone(Pixel(x), Pixel(y));
        const Position& after = record.Current();
        int changed = 0;
        for (int i = 0; i < kPointCount; ++i) changed += before.cells[i] != after.cells[i];
        captures += changed > 1 ? 1 : 0;
      } else if (choice < 86) {
        const bool had = record.Current().At(x, y) != Empty;
        record.RemoveStone(Pixel(x), Pixel(y));
        removals += had ? 1 : 0;
      } else if (choice < 92) {
        record.LookBack();
      } else if (choice < 95) {
        record.LookNext();
      } else if (choice < 97) {
        record.LookDel();
      } else if (choice < 99) {
        record.Current().nextMode = ID_NEXT_BLACK + static_cast<int>(random() % 4);
      } else {
        record.LookHome();
      }
    }
    ExpectSameLineAfterReading("round " + std::to_string(round));
  }
  // The generator is only worth its name if it made what it claims.
  EXPECT_GT(captures, 20);
  EXPECT_GT(removals, 50);
}

}  // namespace
