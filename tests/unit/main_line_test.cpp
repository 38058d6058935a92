// Reading one game of a collection along its main line: nothing of the other branches or
// games reaches the board; with the option off every record reads as it always has.
#include <gtest/gtest.h>

#include <cstring>

#include "formats/sgf_game_list.h"
#include "record_test_support.h"

using record_test::Rows;

// The top-left 4 x 2 points of the named file's game at the end of its main line.
std::string MainLineEnd(const std::string& name, int game = 0) {
  GameRecord record;
  record.Load(name.c_str(), ReadOptions{false, true, game});
  return record_test::Drawn(PositionAt(record.mainLine, record.mainCount - 1), 4, 2);
}

TEST(MainLine, OnlyTheFirstBranchOfEveryForkReachesTheBoard) {
  record_test::TempFolder folder;
  // Forks after the first, third and fourth moves; the branches not taken fill the rest.
  EXPECT_EQ(Rows({"X O X O", "X . . ."}),
            MainLineEnd(folder.Write("deep.sgf", "(;GM[1];B[aa](;W[ba];B[ca](;W[da](;B[ab])"
                                                 "(;B[bb]))(;W[cb]))(;W[db];B[dd]))")));
  // A variation that surrounds the white corner stone takes it; the main line keeps it.
  EXPECT_EQ(Rows({"O . . .", ". . X X"}),
            MainLineEnd(folder.Write("capture.sgf", "(;W[aa](;B[cb];B[db])(;B[ba];B[ab]))")));
  // The third game of three, alone.
  const std::string three = folder.Write("three.sgf", "(;PB[Aa];B[aa])\n(;B[bb];W[cc])\n"
                                                      "(;PB[Dd]RE[W+R];B[dd];W[ab];B[ba])");
  EXPECT_EQ("Dd", ListSgfGames(three.c_str()).at(2).black);
  EXPECT_EQ(Rows({". X . .", "O . . ."}), MainLineEnd(three, 2));
}

// Read whole, every record gives the same Positions through either Load, with notes or
// without; a UGF record gives them with the option on too.
TEST(MainLine, WithTheOptionOffEveryRecordReadsAsItAlwaysHas) {
  record_test::TempFolder folder;
  const std::string samples[][2] = {
      {"forks.sgf", "(;B[aa](;W[ba];B[ca])(;W[ab](;B[bb])(;B[cc]C[x;y])))"},
      {"games.sgf", "(;B[aa];W[ba])(;AB[cc][dd]AW[ee];E[cc])B[ff]"},
      {"jis.sgf", "(;C[\x95\x5C]B[aa];W[\x8D\x5D]B[bb])"},
      {"utf16.sgf", std::string("\xFF\xFE(\0;\0B\0[\0a\0a\0]\0)\0", 18)},
      {"panda.ugf", "[Data]\r\nQD,B1,1,0\r\nDD,W2,2,0\r\n"}};
  for (const auto& sample : samples) {
    const std::string name = folder.Write(sample[0], sample[1]);
    const bool ugf = name.compare(name.size() - 3, 3, "ugf") == 0;
    GameRecord plain, record;
    plain.Load(name.c_str());
    for (const ReadOptions& options : {ReadOptions{}, ReadOptions{true}, ReadOptions{false, ugf}}) {
      record.Load(name.c_str(), options);
      ASSERT_EQ(plain.mainCount, record.mainCount) << sample[0];
      for (int i = 0; i < plain.mainCount; ++i) {
        EXPECT_EQ(0, std::memcmp(&PositionAt(plain.mainLine, i), &PositionAt(record.mainLine, i),
                                 sizeof(Position))) << sample[0] << ", Position " << i;
      }
    }
  }
}

TEST(MainLine, BrokenCollectionsGiveAClearResult) {
  record_test::TempFolder folder;
  const auto games = [&](const std::string& text) {
    return ListSgfGames(folder.Write("bad.sgf", text).c_str()).size();
  };
  const auto count = [&](int game) {
    GameRecord record;
    record.Load(folder.Path("bad.sgf").c_str(), ReadOptions{false, true, game});
    return record.mainCount;
  };
  // An empty game counts, and reads as the starting board; so does a game past the last.
  EXPECT_EQ(3u, games("(;B[aa])()(;B[bb];W[cc])"));
  EXPECT_EQ((std::vector<int>{1, 3, 1}), (std::vector<int>{count(1), count(2), count(3)}));
  // A tree never closed ends with the text.
  EXPECT_EQ(2u, games("(;B[aa])(;B[bb](;W[cc]"));
  EXPECT_EQ(3, count(1));
  // A branch without a node is no branch: the next one is the main line.
  games("(;B[aa]()(;W[bb])(;W[cc]))");
  EXPECT_EQ(Rows({"X . . .", ". O . ."}), MainLineEnd(folder.Path("bad.sgf")));
  // 100,000 nested branches: one white stone, then each meets an occupied point.
  std::string nested = "(;B[aa]";
  for (int i = 0; i < 100000; ++i) nested += "(;W[bb]";
  EXPECT_EQ(1u, games(nested));
  EXPECT_EQ(3, count(0));
  // 100,000 games; the last one opens.
  std::string many;
  for (int i = 0; i < 99999; ++i) many += "(;B[aa])";
  EXPECT_EQ(100000u, games(many + "(;B[ss];W[aa])"));
  EXPECT_EQ(3, count(99999));
}
