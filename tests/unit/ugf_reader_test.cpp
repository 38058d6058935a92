#include <gtest/gtest.h>

#include <string>

#include "formats/record_reader.h"
#include "formats/record_text.h"
#include "record_test_support.h"

namespace {

using record_test::TempFolder;
using Codes = MoveCodeList;

const char kHeader[] = "[Header]\r\nLang=JP\r\n";

TEST(UgfText, OneStonePerDataLineAfterTheMarker) {
  EXPECT_EQ(ScanUgfText(std::string(kHeader) + "[Data]\r\nQD,B1,1,0\r\nDD,W2,2,0\r\n"),
            Codes({11603, 20303}));
}

TEST(UgfText, WithoutTheExactMarkerNothingIsRead) {
  EXPECT_EQ(ScanUgfText("QD,B1,1,0\r\nDD,W2,2,0\r\n"), Codes());
  EXPECT_EQ(ScanUgfText("[Data]\nQD,B1,1,0\r\n"), Codes()) << "a line feed alone";
  EXPECT_EQ(ScanUgfText("[data]\r\nQD,B1,1,0\r\n"), Codes()) << "other letter case";
  EXPECT_EQ(ScanUgfText(""), Codes());
}

TEST(UgfText, LinesBeforeTheMarkerAreNotRead) {
  EXPECT_EQ(ScanUgfText("AA,B1,1,0\r\n[Data]\r\nCC,W1,1,0\r\n"), Codes({20202}));
}

TEST(UgfText, OnlyUpperCaseLettersUpToSAreValid) {
  EXPECT_EQ(ScanUgfText("[Data]\r\nqd,B1\r\nTD,B1\r\nDT,B1\r\nSS,B1\r\nAA,W1\r\n"),
            Codes({11818, 20000}));
  EXPECT_EQ(ScanUgfText("[Data]\r\n\xc0\xc1,B1\r\n"), Codes());
}

TEST(UgfText, TheFourthByteAloneDecidesTheColour) {
  EXPECT_EQ(ScanUgfText("[Data]\r\nQD,b1\r\nQD,X1\r\nQDxB\r\nQD,W\r\n"), Codes({11603, 21603}));
}

TEST(UgfText, ShortAndEmptyLinesGiveNothingAndTheScanGoesOn) {
  EXPECT_EQ(ScanUgfText("[Data]\r\n\r\nA\r\nAB\r\nABC\r\nCC,B1\r\n"), Codes({10202}));
}

TEST(UgfText, LinesEndedByALineFeedAloneStopAfterTheFirst) {
  EXPECT_EQ(ScanUgfText("[Data]\r\nQD,B1\nDD,W2\nPP,B3\n"), Codes({11603}));
}

TEST(UgfText, ALastLineWithoutABreakIsRead) {
  EXPECT_EQ(ScanUgfText("[Data]\r\nQD,B1\r\nDD,W2"), Codes({11603, 20303}));
  EXPECT_EQ(ScanUgfText("[Data]\r\nQD,"), Codes()) << "too short to hold the colour";
}

TEST(UgfText, OnlyTheFirstMarkerCounts) {
  EXPECT_EQ(ScanUgfText("[Data]\r\nAA,B\r\n[Data]\r\nBB,W\r\n"), Codes({10000, 20101}));
}

class UgfFile : public ::testing::Test {
 protected:
  int Read(const std::string& text) {
    PositionAt(pool, 0).Clear();
    return ReadRecordFile(pool, folder.Write("game.ugf", text).c_str());
  }
  TempFolder folder;
  PositionPool pool;
};

TEST_F(UgfFile, StonesBecomePositionsWithAlternatingModes) {
  ASSERT_EQ(Read(std::string(kHeader) + "[Data]\r\nQD,B1,1,0\r\nDD,W2,2,0\r\n"), 3);
  EXPECT_EQ(PositionAt(pool, 2).At(16, 3), Black);
  EXPECT_EQ(PositionAt(pool, 2).At(3, 3), White);
  const int modes[] = {136, 137, 136};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(PositionAt(pool, i).nextMode, modes[i]) << i;
}

TEST_F(UgfFile, TheSamePointTwiceMakesOnePosition) {
  EXPECT_EQ(Read("[Data]\r\nQD,B1\r\nQD,W2\r\n"), 2);
}

TEST_F(UgfFile, AStoneThatTakesTheLastLibertyCaptures) {
  ASSERT_EQ(Read("[Data]\r\nBA,B1\r\nAA,W2\r\nAB,B3\r\n"), 4);
  EXPECT_EQ(PositionAt(pool, 3).At(0, 0), Empty);
}

TEST_F(UgfFile, MissingEmptyAndMarkerlessFilesGiveOne) {
  EXPECT_EQ(Read(""), 1);
  EXPECT_EQ(Read("QD,B1,1,0\r\n"), 1);
  PositionAt(pool, 0).Clear();
  EXPECT_EQ(ReadRecordFile(pool, folder.Path("missing.ugf").c_str()), 1);
}

TEST_F(UgfFile, AMarkerAcrossTheEdgeOfA256ByteChunkIsFound) {
  for (std::size_t pad = 245; pad < 256; ++pad) {
    SCOPED_TRACE(pad);
    EXPECT_EQ(Read(std::string(pad, 'h') + "[Data]\r\nQD,B1\r\n"), 2);
  }
}

}  // namespace
