#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#include <thread>
#endif

#include "formats/record_reader.h"
#include "formats/record_text.h"
#include "record/game_record.h"
#include "record_test_support.h"

namespace {

using record_test::TempFolder;

// The MoveCodes that the SGF reader collects from these file bytes.
MoveCodeList CodesOf(const std::string& fileBytes) {
  std::string text;
  AppendSgfBytes(text, reinterpret_cast<const unsigned char*>(fileBytes.data()), fileBytes.size());
  return ScanSgfText(text);
}

using Codes = MoveCodeList;

TEST(SgfText, LineBreaksParenthesesAndSemicolonsAreDroppedEvenInsideValues) {
  EXPECT_EQ(CodesOf("(;B[p\r\nd];)"), Codes({11503}));
  EXPECT_EQ(CodesOf("B[(p;d)]W[dd]"), Codes({11503, 20303}));
  std::string text;
  const std::string bytes("a\tb\0c\x80;(\n)\r", 11);
  AppendSgfBytes(text, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  EXPECT_EQ(text, std::string("a\tb\0c\x80", 6)) << "blanks, NUL and high bytes stay";
}

TEST(SgfText, BlanksBetweenItemsArePassedOverOneByOne) {
  EXPECT_EQ(CodesOf("B[pd] W[dd]"), Codes({11503, 20303}));
  EXPECT_EQ(CodesOf("B[pd]\tW[dd]"), Codes({11503, 20303}));
  EXPECT_EQ(CodesOf("B[pd]\vW[dd]\fB[qq]"), Codes({11503, 20303, 11616}));
  EXPECT_EQ(CodesOf("   \t B[pd]"), Codes({11503}));
  EXPECT_EQ(CodesOf("(;GM[1]\n  ;B[pd]\n  ;W[dd]\n)\n"), Codes({11503, 20303}));
  EXPECT_EQ(CodesOf("(;GM[1] SZ[19]\r\n ;B[pd] C[good] ;W[dd])"), Codes({11503, 20303}));
}

TEST(SgfText, BlanksBetweenSetupValuesKeepTheListGoing) {
  EXPECT_EQ(CodesOf("AB[dd] [pp]\t \t[qq]"), Codes({10303, 11515, 11616}));
  EXPECT_EQ(CodesOf("AW[dd] W[pp]"), Codes({20303, 21515}));
}

TEST(SgfText, BlanksInsideAnItemAreNotPassedOver) {
  // "B [pd]" is no move: it is skipped up to its "]", as any unknown text is.
  EXPECT_EQ(CodesOf("B [pd]W[dd]"), Codes({20303}));
  EXPECT_EQ(CodesOf("AB [dd]W[pp]"), Codes({21515}));
}

TEST(SgfText, AnEmptyMoveValueIsAPassOfThreeBytes) {
  EXPECT_EQ(CodesOf("B[]W[dd]"), Codes({20303}));
  EXPECT_EQ(CodesOf("W[]B[dd]"), Codes({10303}));
  EXPECT_EQ(CodesOf("E[]B[dd]"), Codes({10303}));
  EXPECT_EQ(CodesOf("B[]"), Codes());
  EXPECT_EQ(CodesOf("B[] W[]B[aa]"), Codes({10000}));
}

TEST(SgfText, AMoveItemIsFiveBytesWhateverItsLetters) {
  EXPECT_EQ(CodesOf("B[tt]W[dd]"), Codes({20303}));
  EXPECT_EQ(CodesOf("B[PD]"), Codes());
  EXPECT_EQ(CodesOf("B[ta]"), Codes());
  EXPECT_EQ(CodesOf("B[sa]"), Codes({11800}));
  EXPECT_EQ(CodesOf("E[ss]"), Codes({1818}));
  EXPECT_EQ(CodesOf(std::string("B[\0d]W[dd]", 10)), Codes({20303})) << "NUL is no letter";
  EXPECT_EQ(CodesOf("B[\xe1\x81]W[dd]"), Codes({20303}));
  // The fifth byte is not looked at.
  EXPECT_EQ(CodesOf("B[ddxW[pp]"), Codes({10303, 21515}));
}

TEST(SgfText, ALongerValueGivesItsFirstTwoLettersAndTheRestIsSkipped) {
  EXPECT_EQ(CodesOf("B[abc]W[dd]"), Codes({10001, 20303}));
}

TEST(SgfText, ItemsCutOffAtTheEndGiveNothingAndNeverReadPastIt) {
  EXPECT_EQ(CodesOf("B[pd"), Codes());
  EXPECT_EQ(CodesOf("W[p"), Codes());
  EXPECT_EQ(CodesOf("AB[aa][bb"), Codes({10000}));
  EXPECT_EQ(CodesOf("AB[dd"), Codes());
  EXPECT_EQ(CodesOf("GM[1"), Codes());
}

TEST(SgfText, SetupListsGiveOneCodePerFourByteValue) {
  EXPECT_EQ(CodesOf("AB[dd][pp]AW[dp][pd]"), Codes({10303, 11515, 20315, 21503}));
  EXPECT_EQ(CodesOf("AB[dd][zz][pp]"), Codes({10303, 11515})) << "a bad point is skipped";
  EXPECT_EQ(CodesOf("AB[dd][ppp][qq]W[aa]"), Codes({10303, 20000}))
      << "a longer value ends the list and is skipped with what follows up to its ]";
  EXPECT_EQ(CodesOf("AB[][dd]"), Codes());
}

TEST(SgfText, OtherPropertiesAreSkippedValueByValue) {
  EXPECT_EQ(CodesOf("AE[aa]"), Codes());
  EXPECT_EQ(CodesOf("GM[1]SZ[19]PB[B[aa]]KM[6.5]AE[aa][bb]B[cc]"), Codes({10202}));
  EXPECT_EQ(CodesOf("PW[W]B[cc]"), Codes({10202}));
}

TEST(SgfText, TheSkipToTheNextBracketKnowsNoEscapes) {
  // A backslash before "]" ends the comment there; the rest reads as items.
  EXPECT_EQ(CodesOf("C[see \\] B[cc] ]W[dd]"), Codes({10202, 20303}));
  // A double-byte character whose second byte is "]" does the same.
  EXPECT_EQ(CodesOf("C[\x81]B[cc] text]W[dd]"), Codes({10202, 20303}));
}

TEST(SgfText, AShiftJisCommentEndingInByte92DoesNotHideTheNextMove) {
  // "ソ" (0x83 0x5C) and "表示" (0x95 0x5C 0x8E 0xA6) end or hold byte 92.
  EXPECT_EQ(CodesOf("C[\x83\x5c]B[pd]"), Codes({11503}));
  EXPECT_EQ(CodesOf("(;C[\x95\x5c\x8e\xa6\x83\x5c]\r\n;B[pd];W[dd])"), Codes({11503, 20303}));
}

TEST(SgfText, AllBranchesAndAllGamesAreReadAsOneSequence) {
  EXPECT_EQ(CodesOf("(;B[aa](;W[bb];B[cc])(;W[dd]))(;B[ee])"),
            Codes({10000, 20101, 10202, 20303, 10404}));
}

TEST(Replay, CodesThatAreNoMoveCodeAreSkippedWithoutTouchingTheBoard) {
  PositionPool pool;
  PositionAt(pool, 0).Clear();
  EXPECT_EQ(ReplayMoveCodes(pool, {-1, 30000, 1900, 19, 11919, 10303, -10303}), 2);
  EXPECT_EQ(PositionAt(pool, 1).At(3, 3), Black);
}

class SgfFile : public ::testing::Test {
 protected:
  // Loads text as a file the way the record does and returns the Position count.
  int Read(const std::string& text, const std::string& name = "game.sgf") {
    PositionAt(pool, 0).Clear();
    return ReadRecordFile(pool, folder.Write(name, text).c_str());
  }
  const Position& At(int i) { return PositionAt(pool, i); }

  TempFolder folder;
  PositionPool pool;
};

TEST_F(SgfFile, MovesBecomePositionsWithModesAndLastPoints) {
  ASSERT_EQ(Read("(;GM[1]SZ[19];B[pd];W[dd];B[pp])"), 4);
  EXPECT_EQ(At(3).At(15, 3), Black);
  EXPECT_EQ(At(3).At(3, 3), White);
  EXPECT_EQ(At(3).At(15, 15), Black);
  const int modes[] = {136, 137, 136, 137};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(At(i).nextMode, modes[i]) << i;
  EXPECT_EQ(At(1).lastX, 15);
  EXPECT_EQ(At(1).lastY, 3);
  EXPECT_EQ(At(2).lastX, 3);
  EXPECT_EQ(At(2).lastY, 3);
  EXPECT_EQ(At(3).lastX, 15);
  EXPECT_EQ(At(3).lastY, 15);
}

TEST_F(SgfFile, SetupStonesBecomeOnePositionEach) {
  ASSERT_EQ(Read("(;AB[dd][pp];W[qd])"), 4);
  const int modes[] = {136, 136, 137, 136};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(At(i).nextMode, modes[i]) << i;
  EXPECT_EQ(At(3).At(16, 3), White);
  EXPECT_EQ(Read("AB[dd]AW[pp]"), 3);
}

TEST_F(SgfFile, StonesOnOccupiedPointsAndRemovalsOfEmptyPointsMakeNoPosition) {
  EXPECT_EQ(Read("B[pd]B[pd]"), 2);
  EXPECT_EQ(Read("E[pd]"), 1);
  ASSERT_EQ(Read("B[pd]E[pd]"), 3);
  EXPECT_EQ(At(2).At(15, 3), Empty);
  EXPECT_EQ(At(2).lastX, 15);
  EXPECT_EQ(At(2).lastY, 3);
  EXPECT_EQ(At(2).nextMode, ID_NEXT_WHITE) << "a removal keeps the mode it copied";
}

TEST_F(SgfFile, SpacedOutItemsAndPassesKeepEveryMove) {
  EXPECT_EQ(Read("B[pd] W[dd]"), 3);
  EXPECT_EQ(Read("B[pd]\tW[dd]"), 3);
  EXPECT_EQ(Read("B[]W[dd]"), 2);
  EXPECT_EQ(Read("B[tt]W[dd]"), 2);
}

TEST_F(SgfFile, CapturesAreAppliedWhileReading) {
  ASSERT_EQ(Read("B[ba]W[aa]B[ab]"), 4);
  EXPECT_EQ(At(3).At(1, 0), Black);
  EXPECT_EQ(At(3).At(0, 1), Black);
  EXPECT_EQ(At(3).At(0, 0), Empty);
  EXPECT_EQ(At(3).lastX, 0);
  EXPECT_EQ(At(3).lastY, 1);
  EXPECT_EQ(At(3).nextMode, ID_NEXT_WHITE);
}

TEST_F(SgfFile, AnItemAcrossTheEdgeOfA256ByteChunkIsReadWhole) {
  for (std::size_t comment = 240; comment < 260; ++comment) {
    SCOPED_TRACE(comment);
    // "C[" + comment bytes + "]" puts the move on both sides of byte 256 in turn; the
    // line breaks dropped in between shift it further.
    const std::string text = "C[" + std::string(comment, 'x') + "]\r\n;B[pd]\r\n;W[dd]";
    ASSERT_EQ(Read(text), 3);
    EXPECT_EQ(At(2).At(3, 3), White);
  }
}

TEST_F(SgfFile, AFileThatCannotBeReadGivesTheEmptyStartAlone) {
  EXPECT_EQ(Read("B[pd]"), 2);
  PositionAt(pool, 0).Clear();
  EXPECT_EQ(ReadRecordFile(pool, folder.Path("missing.sgf").c_str()), 1);
  std::filesystem::create_directory(folder.Root() / "folder.sgf");
  EXPECT_EQ(ReadRecordFile(pool, folder.Path("folder.sgf").c_str()), 1);
  EXPECT_EQ(Read(""), 1);
  EXPECT_EQ(At(0).nextMode, ID_NEXT_BLACK);
}

#ifdef _WIN32
// A name can lead to a device (COM1.sgf) or a pipe, which is not read: a port would block
// the read until it sends. Here a pipe named like a record, ready to send one.
TEST_F(SgfFile, APipeNamedLikeARecordIsNotRead) {
  const std::string name = "\\\\.\\pipe\\tavune-" + std::to_string(GetCurrentProcessId()) + ".sgf";
  HANDLE pipe = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_OUTBOUND, 0, 1, 256, 256, 0, nullptr);
  std::thread send([pipe] {
    DWORD wrote = 0;
    ConnectNamedPipe(pipe, nullptr);
    WriteFile(pipe, "(;B[pd])", 8, &wrote, nullptr);
    CloseHandle(pipe);
  });
  EXPECT_EQ(ReadRecordFile(pool, name.c_str()), 1);
  // Ends the sender's wait should the reader never have come.
  HANDLE client = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (client != INVALID_HANDLE_VALUE) CloseHandle(client);
  send.join();
}
#endif

TEST_F(SgfFile, ARecordLoadsThroughTheGameRecord) {
  GameRecord record;
  record.Load(folder.Write("x.sgf", "(;B[aa];W[bb])").c_str());
  EXPECT_EQ(record.mainCount, 3);
  EXPECT_EQ(record.Current().At(1, 1), White);
  record.Load(folder.Path("missing.sgf").c_str());
  EXPECT_EQ(record.mainCount, 1);
  EXPECT_EQ(record.Current().At(0, 0), Empty) << "Position 0 is cleared before every load";
}

}  // namespace
