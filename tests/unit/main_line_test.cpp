// Reading one game of a collection along its main line: nothing of the other branches or
// games reaches the board; with the option off every record reads as it always has.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "formats/sgf_game_list.h"
#include "record/game_record.h"
#include "record_test_support.h"

namespace {

using record_test::Drawn;
using record_test::Rows;
using record_test::TempFolder;

ReadOptions MainLineOf(int game) {
  ReadOptions options;
  options.mainLineOnly = true;
  options.game = game;
  return options;
}

// The top-left 4 x 4 points of the record's last Position.
std::string LastCorner(GameRecord& record) {
  return Drawn(PositionAt(record.mainLine, record.mainCount - 1), 4, 4);
}

TEST(MainLine, OnlyTheFirstBranchOfEveryForkReachesTheBoard) {
  TempFolder folder;
  GameRecord record;
  // Forks after the first, the third and the fourth move; the branches not taken play on
  // every point the main line leaves empty.
  record.Load(folder.Write("deep.sgf", "(;GM[1];B[aa](;W[ba];B[ca](;W[da](;B[ab])(;B[bb]))"
                                       "(;W[cb]))(;W[db];B[dd]))").c_str(),
              MainLineOf(0));
  EXPECT_EQ(6, record.mainCount);
  EXPECT_EQ(Rows({"X O X O", "X . . .", ". . . .", ". . . ."}), LastCorner(record));
}

TEST(MainLine, AVariationsCapturesNeverHappenOnTheMainLine) {
  TempFolder folder;
  GameRecord record;
  // The variation surrounds the white corner stone and takes it; the main line goes on
  // beside it, the stone still standing.
  record.Load(folder.Write("capture.sgf", "(;W[aa](;B[dd];B[cc])(;B[ba];B[ab]))").c_str(),
              MainLineOf(0));
  EXPECT_EQ(Rows({"O . . .", ". . . .", ". . X .", ". . . X"}), LastCorner(record));
  record.Load(folder.Path("capture.sgf").c_str());
  EXPECT_EQ(Rows({". X . .", "X . . .", ". . X .", ". . . X"}), LastCorner(record))
      << "read whole, the variation's stones take it";
}

TEST(MainLine, TheThirdGameOfACollectionOpensAlone) {
  TempFolder folder;
  const std::string name = folder.Write(
      "three.sgf", "(;PB[Aa]PW[Bb];B[aa])\n(;PB[Cc];B[bb];W[cc])\n(;PB[Dd]RE[W+R];B[dd];W[ab];B[ba])");
  ASSERT_EQ(3u, ListSgfGames(name.c_str()).size());
  EXPECT_EQ("Dd", ListSgfGames(name.c_str())[2].black);
  GameRecord record;
  record.Load(name.c_str(), MainLineOf(2));
  EXPECT_EQ(4, record.mainCount);
  EXPECT_EQ(Rows({". X . .", "O . . .", ". . . .", ". . . X"}), LastCorner(record));
}

// Whole, as one sequence, a record gives the same Positions through either Load, with
// or without notes; UGF gives them with the option on too.
TEST(MainLine, WithTheOptionOffEveryRecordReadsAsItAlwaysHas) {
  TempFolder folder;
  struct Sample {
    const char* name;
    std::string bytes;
  };
  const Sample samples[] = {
      {"forks.sgf", "(;B[aa](;W[ba];B[ca])(;W[ab](;B[bb])(;B[cc]C[x;y])))"},
      {"games.sgf", "(;B[aa];W[ba])(;AB[cc][dd]AW[ee];E[cc])B[ff]"},
      {"jis.sgf", "(;C[\x95\x5C]B[aa];W[\x8D\x5D]B[bb])"},
      {"utf16.sgf", std::string("\xFF\xFE(\0;\0B\0[\0a\0a\0]\0)\0", 18)},
      {"panda.ugf", "[Data]\r\nQD,B1,1,0\r\nDD,W2,2,0\r\n"}};
  for (const Sample& sample : samples) {
    const std::string name = folder.Write(sample.name, sample.bytes);
    GameRecord plain;
    plain.Load(name.c_str());
    ReadOptions noted;
    noted.notes = true;
    const bool ugf = name.compare(name.size() - 3, 3, "ugf") == 0;
    for (const ReadOptions& options : {ReadOptions{}, noted, MainLineOf(0)}) {
      if (options.mainLineOnly && !ugf) continue;
      GameRecord record;
      record.Load(name.c_str(), options);
      ASSERT_EQ(plain.mainCount, record.mainCount) << sample.name;
      for (int i = 0; i < plain.mainCount; ++i) {
        EXPECT_EQ(0, std::memcmp(&PositionAt(plain.mainLine, i), &PositionAt(record.mainLine, i),
                                 sizeof(Position)))
            << sample.name << ", Position " << i;
      }
    }
  }
}

TEST(MainLine, BrokenCollectionsGiveAClearResult) {
  TempFolder folder;
  GameRecord record;
  const auto games = [&](const std::string& text) {
    return ListSgfGames(folder.Write("bad.sgf", text).c_str()).size();
  };
  const auto count = [&](int game) {
    record.Load(folder.Path("bad.sgf").c_str(), MainLineOf(game));
    return record.mainCount;
  };
  // An empty game counts as a game, and reads as the starting board.
  EXPECT_EQ(3u, games("(;B[aa])()(;B[bb];W[cc])"));
  EXPECT_EQ(1, count(1));
  EXPECT_EQ(3, count(2));
  EXPECT_EQ(1, count(3)) << "a game past the last";
  // A tree never closed ends with the text.
  EXPECT_EQ(2u, games("(;B[aa])(;B[bb](;W[cc]"));
  EXPECT_EQ(3, count(1));
  // A branch without a node is no branch: the next one is the main line.
  games("(;B[aa]()(;W[bb])(;W[cc]))");
  EXPECT_EQ(3, count(0));
  EXPECT_EQ(Rows({"X . . .", ". O . ."}), Drawn(PositionAt(record.mainLine, 2), 4, 2));
  // 100,000 nested branches, each a move on the main line.
  std::string nested = "(;B[aa]";
  for (int i = 0; i < 100000; ++i) nested += "(;W[bb]";
  EXPECT_EQ(1u, games(nested));
  EXPECT_EQ(3, count(0)) << "one white stone, then every further one meets an occupied point";
  // 100,000 games; the last one opens.
  std::string many;
  for (int i = 0; i < 99999; ++i) many += "(;B[aa])";
  EXPECT_EQ(100000u, games(many + "(;B[ss];W[aa])"));
  EXPECT_EQ(3, count(99999));
}

}  // namespace
