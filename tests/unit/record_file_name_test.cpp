#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/file_name.h"
#include "formats/record_reader.h"
#include "record_test_support.h"

namespace {

using record_test::TempFolder;

// The cleaned name, or "<refused>".
std::string Cleaned(const std::string& source) {
  // One byte more than the contract grants, to see that it is never touched.
  std::vector<char> buffer(kFileNameCapacity + 1, '#');
  if (!CleanFileName(buffer.data(), source.c_str())) return "<refused>";
  EXPECT_EQ(buffer[kFileNameCapacity], '#') << "wrote past the buffer";
  return buffer.data();
}

TEST(CleanFileName, TakesOneQuoteOffEachEndEachEndByItself) {
  EXPECT_EQ(Cleaned("\"C:\\go\\game.sgf\""), "C:\\go\\game.sgf");
  EXPECT_EQ(Cleaned("\"game.sgf"), "game.sgf");
  EXPECT_EQ(Cleaned("game.sgf\""), "game.sgf");
  EXPECT_EQ(Cleaned("game.sgf"), "game.sgf");
  EXPECT_EQ(Cleaned("\"\"game.sgf\"\""), "\"game.sgf\"");
  EXPECT_EQ(Cleaned("\"\"\""), "\"");
  EXPECT_EQ(Cleaned("a\"b"), "a\"b");
}

TEST(CleanFileName, LeavesBlanksWhereTheyAre) {
  EXPECT_EQ(Cleaned(" \"my game.sgf\" "), " \"my game.sgf\" ");
  EXPECT_EQ(Cleaned("\"my game.sgf\" "), "my game.sgf\" ");
}

TEST(CleanFileName, RefusesNamesThatAreEmptyOrNothingButQuotes) {
  EXPECT_EQ(Cleaned(""), "<refused>");
  EXPECT_EQ(Cleaned("\""), "<refused>");
  EXPECT_EQ(Cleaned("\"\""), "<refused>");
  char buffer[kFileNameCapacity];
  EXPECT_FALSE(CleanFileName(buffer, nullptr));
}

TEST(CleanFileName, HoldsAThousandCharactersAndRefusesMore) {
  const std::string thousand(1000, 'n');
  EXPECT_EQ(Cleaned(thousand), thousand);
  EXPECT_EQ(Cleaned("\"" + thousand + "\""), thousand) << "quotes do not count";
  EXPECT_EQ(Cleaned(thousand + "n"), "<refused>");
  EXPECT_EQ(Cleaned("\"" + thousand + "n\""), "<refused>");
  EXPECT_EQ(Cleaned(std::string(100000, 'n')), "<refused>");
}

class ReaderChoice : public ::testing::Test {
 protected:
  int Read(const std::string& name) {
    PositionAt(pool, 0).Clear();
    return ReadRecordFile(pool, name.c_str());
  }
  TempFolder folder;
  PositionPool pool;
};

TEST_F(ReaderChoice, AQuotedPathIsReadWithoutItsQuotes) {
  const std::string path = folder.Write("my game.sgf", "B[pd]W[dd]");
  EXPECT_EQ(Read("\"" + path + "\""), 3);
  EXPECT_EQ(Read("\"" + path), 3);
  EXPECT_EQ(Read(path + "\""), 3);
}

TEST_F(ReaderChoice, ABlankAfterTheClosingQuoteHidesTheType) {
  const std::string path = folder.Write("game.sgf", "B[pd]W[dd]");
  EXPECT_EQ(Read("\"" + path + "\" "), 1);
}

TEST_F(ReaderChoice, TheLastThreeLettersInAnyCaseChooseTheReaderWithoutADot) {
  EXPECT_EQ(Read(folder.Write("GAME.SGF", "B[pd]")), 2);
  EXPECT_EQ(Read(folder.Write("game.Sgf", "B[pd]")), 2);
  EXPECT_EQ(Read(folder.Write("xsgf", "B[pd]")), 2);
  EXPECT_EQ(Read(folder.Write("PANDA.UGF", "[Data]\r\nQD,B1,1,0\r\n")), 2);
  EXPECT_EQ(Read(folder.Write("pandaugf", "[Data]\r\nQD,B1,1,0\r\n")), 2);
}

TEST_F(ReaderChoice, OtherNamesReadNothing) {
  EXPECT_EQ(Read(folder.Write("game.txt", "B[pd]")), 1);
  EXPECT_EQ(Read(folder.Write("game.sg", "B[pd]")), 1);
  EXPECT_EQ(Read(folder.Write("game.sgf.bak", "B[pd]")), 1);
  EXPECT_EQ(Read("sgf"), 1);
  EXPECT_EQ(Read("\"sgf\""), 1);
  EXPECT_EQ(Read(""), 1);
  EXPECT_EQ(Read("\"\""), 1);
  EXPECT_EQ(ReadRecordFile(pool, nullptr), 1);
}

TEST_F(ReaderChoice, ANameLongerThanTheBufferIsAFailedLoad) {
  EXPECT_EQ(Read(std::string(5000, 'a') + ".sgf"), 1);
#ifndef _WIN32
  // A real file whose full name is over a thousand characters is refused, not cut.
  std::filesystem::path deep = folder.Root();
  while (deep.string().size() < 1000) deep /= std::string(200, 'd');
  std::filesystem::create_directories(deep);
  std::ofstream(deep / "game.sgf") << "B[pd]";
  ASSERT_GT((deep / "game.sgf").string().size(), 1000u);
  EXPECT_EQ(Read((deep / "game.sgf").string()), 1);
#endif
}

}  // namespace
