// What the information pane reads: names and comments decoded in every charset, move
// numbers, comments on the right Positions, results in Japanese words.
#include <gtest/gtest.h>

#include <string>

#include "formats/game_info_words.h"
#include "platform/text_codec.h"
#include "record/game_record.h"
#include "record_test_support.h"

namespace {

using record_test::TempFolder;

// Loads bytes as an SGF file with its notes.
void LoadNoted(GameRecord& record, const TempFolder& folder, const std::string& bytes) {
  ReadOptions options;
  options.notes = true;
  record.Load(folder.Write("noted.sgf", bytes).c_str(), options);
}

TEST(RecordNotes, ShiftJisWithoutCharsetKeepsTrailBytesInsideTheirCharacters) {
  // 余正麒 (97 5D ...), 十段 (8F 5C ...), 表 (95 5C) and 江評 (8D 5D 95 5D): a bytewise
  // reader ends the name at 余's second byte, or takes "\]" for an escape.
  const std::string bytes =
      "(;GM[1]PB[\x97\x5D\x90\xB3\xEA\x69]BR[\x8F\x5C\x92\x69]PW[\x95\x5C]"
      "C[\x8D\x5D\x95\x5D\\]B[aa]];B[pd]C[\x93\x5D])";
  TempFolder folder;
  GameRecord record;
  LoadNoted(record, folder, bytes);
  const GameInfo& info = record.Notes().Info();
  EXPECT_EQ(info.blackName, "余正麒");
  EXPECT_EQ(info.blackRank, "十段");
  EXPECT_EQ(info.whiteName, "表");
  EXPECT_EQ(record.Notes().CommentAt(0), "江評]B[aa") << "the root's comment, whole";
  EXPECT_EQ(record.Notes().CommentAt(record.mainCount - 1), "転");
  record.Reset();
  EXPECT_TRUE(record.Notes().Info().blackName.empty()) << "a new game keeps no notes";
}

TEST(RecordNotes, Utf8TextFollowsEscapesAndEveryLineBreak) {
  TempFolder folder;
  GameRecord record;
  LoadNoted(record, folder,
            "(;CA[UTF-8]PB[Ke\\\nJie]GC[one\r\ntwo\n\rthree\rfour\\\r\nfive]"
            ";B[pd]C[a \\] b \\\\ c\\:\td])");
  EXPECT_EQ(record.Notes().Info().blackName, "KeJie") << "a soft line break goes";
  EXPECT_EQ(record.Notes().Info().gameComment, "one\ntwo\nthree\nfourfive");
  EXPECT_EQ(record.Notes().CommentAt(1), "a ] b \\ c: d");
}

TEST(RecordNotes, ChineseAndKoreanRecordsReadInTheirNamedCharsets) {
  TempFolder folder;
  GameRecord record;
  // 柯洁, and in GB18030 a character of four bytes (U+20000).
  LoadNoted(record, folder, "(;CA[GB18030]PB[\xBF\xC2\xBD\xE0]C[\x95\x32\x82\x36];B[pd])");
  EXPECT_EQ(record.Notes().Info().blackName, "柯洁");
  // Wine 8 has no GB18030 and reads it as GBK, which lacks the four-byte characters.
  if (platform::CodePageExists(54936)) EXPECT_EQ(record.Notes().CommentAt(0), "\xF0\xA0\x80\x80");
  LoadNoted(record, folder, "(;CA[EUC-KR]PW[\xBD\xC5\xC1\xF8\xBC\xAD]PC[\xC7\xD1\xB1\xB9\xB1\xE2\xBF\xF8])");
  EXPECT_EQ(record.Notes().Info().whiteName, "신진서");
  EXPECT_EQ(record.Notes().Info().place, "한국기원");
  // A record that names UTF-8 but is not: read as Shift-JIS.
  LoadNoted(record, folder, "(;CA[UTF-8]PB[\x95\x5C])");
  EXPECT_EQ(record.Notes().Info().blackName, "表");
}

TEST(RecordNotes, MovesAreCountedWithoutSetupStonesOrRemovalsAndWithPasses) {
  TempFolder folder;
  GameRecord record;
  // Two handicap stones, then W, B, a pass, W, a removal, B "tt" (a pass), W.
  LoadNoted(record, folder,
            "(;HA[2]AB[dd][pp]C[start];W[dp];B[pd]C[third];W[]C[passed];B[qq];E[qq];B[tt];W[cc])");
  const RecordNotes& notes = record.Notes();
  ASSERT_EQ(record.mainCount, 8);
  const int expected[] = {0, 0, 0, 1, 2, 4, 4, 6};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(notes.MoveNumberAt(i), expected[i]) << "Position " << i;
  EXPECT_EQ(notes.TotalMoves(), 6);
  EXPECT_EQ(notes.CommentAt(0), "start") << "the root's comment is the starting board's";
  EXPECT_EQ(notes.CommentAt(4), "third\n\npassed") << "a pass makes no Position";
}

TEST(RecordNotes, CommentsOfARecordReadInManyBlocksStayOnTheirMoves) {
  // Long comments carry the record over several blocks of the read, so that comments and
  // the ends of their nodes fall on every side of the seams; the filter of the moves drops
  // the "(;)" and line breaks inside them.
  std::string bytes = "(;GM[1]C[root]";
  for (int i = 1; i <= 60; ++i) {
    const char x = static_cast<char>('a' + 2 * (i % 10));  // points apart: no captures
    const char y = static_cast<char>('a' + 2 * (i / 10));
    bytes += std::string(i % 2 == 1 ? ";B[" : ";W[") + x + y + "]C[m" + std::to_string(i) + " ";
    for (int k = 0; k < 150 + 17 * i; ++k) bytes += "(a;b)\n";
    bytes += "]";
  }
  bytes += ")";
  TempFolder folder;
  GameRecord record;
  LoadNoted(record, folder, bytes);
  ASSERT_GT(bytes.size(), 3u * 65536);
  ASSERT_EQ(record.mainCount, 61);
  EXPECT_EQ(record.Notes().CommentAt(0), "root");
  for (int i = 1; i <= 60; ++i) {
    const std::string label = "m" + std::to_string(i) + " ";
    EXPECT_EQ(record.Notes().CommentAt(i).substr(0, label.size()), label) << "Position " << i;
  }
}

TEST(RecordNotes, ARemovalAcrossTheSeamOfTwoBlocksIsNoMove) {
  // The E ends the first 64 KiB block read; the bytes that make it an item come next.
  std::string bytes = "(;GM[1];B[aa]C[";
  bytes += std::string(65534 - bytes.size() - 1, 'x') + "];E\n[aa];W[bb])";
  ASSERT_EQ(bytes.find("E\n"), 65535u);
  TempFolder folder;
  GameRecord record;
  LoadNoted(record, folder, bytes);
  EXPECT_EQ(record.Notes().TotalMoves(), 2);
  EXPECT_EQ(record.Notes().MoveNumberAt(record.mainCount - 1), 2);
}

TEST(RecordNotes, UgfHeaderAndFigureCommentsReadInShiftJis) {
  TempFolder folder;
  GameRecord record;
  ReadOptions options;
  options.notes = true;
  const std::string ugf =
      "[Header]\r\nTitle=\x91\xE6\x32\x36\x8A\xFA,\x8A\xFB\x90\xB9\x90\xED\r\n"
      "Place=\x93\xFA\x96\x7B\x8A\xFB\x89\x40\r\nDate=2001/08/20,09:00:00\r\n"
      "Hdcp=2,0.50\r\nWinner=W,C\r\nPlayerB=\x97\x5D\x90\xB3\xEA\x69,\x8F\x5C\x92\x69,0,\r\n"
      "[Data]\r\nQD,B1,1,0\r\nDD,W1,2,0\r\n[Figure]\r\n.Text,2\r\n\x8D\x44\x8E\xE8\r\n.EndText\r\n";
  record.Load(folder.Write("game.ugf", ugf).c_str(), options);
  const GameInfo& info = record.Notes().Info();
  EXPECT_EQ(info.event, "第26期 棋聖戦");
  EXPECT_EQ(info.place, "日本棋院");
  EXPECT_EQ(info.date, "2001/08/20");
  EXPECT_EQ(PlayerInWords(true, info.blackName, info.blackRank), "黒 余正麒 十段");
  EXPECT_EQ(ResultInWords(info.result), "白中押し勝ち");
  EXPECT_EQ(HandicapInWords(info.handicap) + " " + KomiInWords(info.komi), "2子局 コミ半目");
  EXPECT_EQ(record.Notes().CommentAt(2), "好手");
  EXPECT_EQ(record.Notes().TotalMoves(), 2);
}

TEST(RecordNotes, ResultsKomiAndRanksInJapaneseWords) {
  EXPECT_EQ(ResultInWords("B+R"), "黒中押し勝ち");
  EXPECT_EQ(ResultInWords("W+2.5"), "白2目半勝ち");
  EXPECT_EQ(ResultInWords("W+0.5"), "白半目勝ち");
  EXPECT_EQ(ResultInWords("B+T"), "黒時間切れ勝ち");
  EXPECT_EQ(ResultInWords("W+F"), "白反則勝ち");
  EXPECT_EQ(ResultInWords("0"), "持碁");
  EXPECT_EQ(ResultInWords("Draw"), "持碁");
  EXPECT_EQ(ResultInWords("Void"), "無勝負");
  EXPECT_EQ(ResultInWords("B+2.75"), "B+2.75") << "what fits none stays as written";
  EXPECT_EQ(KomiInWords("6.5"), "コミ6目半");
  EXPECT_EQ(KomiInWords("0"), "コミなし");
  EXPECT_EQ(PlayerInWords(true, "井山裕太", "9p"), "黒 井山裕太 九段");
  EXPECT_EQ(PlayerInWords(false, "余正麒", "七段"), "白 余正麒 七段");
}

}  // namespace
