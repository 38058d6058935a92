#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <cstdlib>
#include <thread>

#include "platform/utf16.h"
#include "windows_test_support.h"
#else
#include <csignal>
#include <sys/resource.h>
#endif

#include "platform/record_file_io.h"
#include "record/game_record.h"
#include "record_test_support.h"

namespace {

using record_test::RecordingViews;
using record_test::TempFolder;

using record_test::kCell;
using record_test::PixelOf;

class SgfWriter : public ::testing::Test {
 protected:
  SgfWriter() { record.AttachViews(&views); }

  void Put(int x, int y) { record.PutStone(PixelOf(x), PixelOf(y)); }

  // Writes the record to `name` in the folder and returns the file's bytes.
  std::string Saved(const std::string& name = "saved.sgf") {
    record.WriteSgf(folder.Path(name).c_str());
    return folder.Read(name);
  }

  int SaveFailures() const {
    int failures = 0;
    for (const std::string& call : views.calls) failures += call == "save failed" ? 1 : 0;
    return failures;
  }

  TempFolder folder;
  RecordingViews views{kCell};
  GameRecord record;
};

TEST_F(SgfWriter, ARecordOfTheStartAloneIsHeaderAndFooter) {
  EXPECT_EQ(Saved(), "(;\r\n)\r\n");
  EXPECT_EQ(SaveFailures(), 0);
}

TEST_F(SgfWriter, EachPositionIsOneEightByteLine) {
  Put(15, 3);
  Put(3, 3);
  EXPECT_EQ(Saved(), "(;\r\nB[pd];\r\nW[dd];\r\n)\r\n");
}

TEST_F(SgfWriter, ARemovalIsWrittenAsE) {
  Put(15, 3);
  record.RemoveStone(PixelOf(15), PixelOf(3));
  EXPECT_EQ(Saved(), "(;\r\nB[pd];\r\nE[pd];\r\n)\r\n");
}

TEST_F(SgfWriter, TheCornersAreLettersAToS) {
  Put(0, 0);
  Put(18, 18);
  Put(18, 0);
  Put(0, 18);
  EXPECT_EQ(Saved(), "(;\r\nB[aa];\r\nW[ss];\r\nB[sa];\r\nW[as];\r\n)\r\n");
}

TEST_F(SgfWriter, TheLineThroughTheVariationIsWrittenWhereverTheCursorIs) {
  record_test::LoadSgfText(record, folder, "B[aa]W[bb]B[cc]W[dd]");
  record.LookBack();
  record.LookBack();
  Put(10, 10);
  Put(11, 11);
  record.LookHome();
  EXPECT_EQ(record.LineLength(), 5);
  EXPECT_EQ(Saved(), "(;\r\nB[aa];\r\nW[bb];\r\nB[kk];\r\nW[ll];\r\n)\r\n");
}

TEST_F(SgfWriter, SavingOverALongerFileReplacesAllOfIt) {
  folder.Write("saved.sgf", std::string(5000, 'x'));
  Put(15, 3);
  EXPECT_EQ(Saved(), "(;\r\nB[pd];\r\n)\r\n");
  EXPECT_EQ(SaveFailures(), 0);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"saved.sgf"})) << "no file left behind";
}

// Names that code page 932 cannot spell, a look-alike of one beside it, and a folder whose
// name has 0x5C as its second byte in 932: each save writes its own file and reads back.
TEST_F(SgfWriter, EveryNameSavesAndOpensItsOwnFileAndNoOther) {
  folder.Write("cafe.sgf", "old");
  std::filesystem::create_directory(std::filesystem::u8path(folder.Path(u8"表")));
  Put(15, 3);
  for (const char* name : {u8"柯洁.sgf", u8"신진서.sgf", u8"\U0001F600.sgf", u8"café.sgf", u8"表/ソ.sgf"}) {
    record.WriteSgf(folder.Path(name).c_str());
    EXPECT_EQ(folder.Read(name), "(;\r\nB[pd];\r\n)\r\n") << name;
    GameRecord reread;
    reread.Load(folder.Path(name).c_str());
    EXPECT_EQ(reread.mainCount, 2) << name;
  }
  EXPECT_EQ(SaveFailures(), 0);
  EXPECT_EQ(folder.Read("cafe.sgf"), "old");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"cafe.sgf", u8"café.sgf", u8"柯洁.sgf", u8"表",
                                                        u8"신진서.sgf", u8"\U0001F600.sgf"}));
  EXPECT_EQ(folder.Entries(u8"表"), std::vector<std::string>({u8"ソ.sgf"}));
}

TEST_F(SgfWriter, APathInAMissingFolderWritesNothingAndReportsOnce) {
  Put(15, 3);
  record.WriteSgf(folder.Path("no such folder/saved.sgf").c_str());
  EXPECT_EQ(SaveFailures(), 1);
  EXPECT_TRUE(folder.Entries().empty());
}

TEST_F(SgfWriter, APathInsideAFileWritesNothingAndLeavesTheFile) {
  folder.Write("plain.txt", "keep me");
  Put(15, 3);
  record.WriteSgf(folder.Path("plain.txt/saved.sgf").c_str());
  EXPECT_EQ(SaveFailures(), 1);
  EXPECT_EQ(folder.Read("plain.txt"), "keep me");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"plain.txt"}));
}

TEST_F(SgfWriter, AFolderAsTargetStaysAsItWasAndNoTemporaryFileRemains) {
  std::filesystem::create_directory(folder.Root() / "target.sgf");
  folder.Write("target.sgf/inside.txt", "still here");
  Put(15, 3);
  record.WriteSgf(folder.Path("target.sgf").c_str());
  EXPECT_EQ(SaveFailures(), 1);
  EXPECT_TRUE(std::filesystem::is_directory(folder.Root() / "target.sgf"));
  EXPECT_EQ(folder.Read("target.sgf/inside.txt"), "still here");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"target.sgf"}));
}

TEST_F(SgfWriter, AFileThatAppearsDuringTheSaveIsNotOverwritten) {
  platform::OutputFile file;
  ASSERT_TRUE(file.Create(folder.Path("new.sgf").c_str()));
  folder.Write("new.sgf", "theirs");
  ASSERT_TRUE(file.Write("ours", 4));
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(folder.Read("new.sgf"), "theirs");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"new.sgf"}));
}

#ifdef _WIN32
// Windows names are UTF-16: bytes that are no UTF-8 (é in code page 1252 here) name no
// file at all, and are never read as a look-alike.
TEST_F(SgfWriter, ANameThatIsNotUtf8IsRefusedAndTouchesNoOtherFile) {
  folder.Write("cafe.sgf", "(;B[aa])");
  const std::string notUtf8 = folder.Path("") + "caf\xE9.sgf";
  record.WriteSgf(notUtf8.c_str());
  EXPECT_EQ(SaveFailures(), 1);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"cafe.sgf"}));
  EXPECT_EQ(folder.Read("cafe.sgf"), "(;B[aa])");
  record.Load(notUtf8.c_str());
  EXPECT_EQ(record.mainCount, 1);
  EXPECT_EQ(platform::Utf8Of(L"\xD800.sgf"), "") << "a lone surrogate is no name";
}

class RefusedTarget : public SgfWriter, public ::testing::WithParamInterface<DWORD> {};
TEST_P(RefusedTarget, ReadOnlyHiddenOrSystemIsNotReplacedAndStaysByteForByte) {
  const std::string old = "(;\r\nW[aa];\r\n)\r\n";
  const std::string target = folder.Write("locked.sgf", old);
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), GetParam()));
  Put(15, 3);
  record.WriteSgf(target.c_str());
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(SaveFailures(), 1);
  EXPECT_EQ(folder.Read("locked.sgf"), old);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"locked.sgf"}));
}
INSTANTIATE_TEST_SUITE_P(Attributes, RefusedTarget, ::testing::Values(FILE_ATTRIBUTE_READONLY,
                         FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM));

TEST_F(SgfWriter, AHoldOfAMomentIsWaitedForAndALongerOneIsReportedOnce) {
  const std::string target = folder.Write("held.sgf", "old");
  // Held without FILE_SHARE_DELETE, as a virus scanner holds it, for all of the save.
  HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  record.WriteSgf(target.c_str());
  CloseHandle(held);
  EXPECT_EQ(SaveFailures(), 1);
  EXPECT_EQ(folder.Read("held.sgf"), "old");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"held.sgf"}));
  held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
  std::thread letGo([held] { Sleep(300); CloseHandle(held); });
  record.WriteSgf(target.c_str());
  letGo.join();
  EXPECT_EQ(folder.Read("held.sgf"), "(;\r\n)\r\n");
}
#else
TEST_F(SgfWriter, AWriteThatFailsPartWayLeavesTheOldFileByteForByte) {
  const std::string old = "(;\r\nW[aa];\r\n)\r\n";
  const std::string target = folder.Write("full.sgf", old);
  for (int i = 0; i < 5; ++i) Put(i, 0);
  // Files may grow to 10 bytes only: the header fits, the first move line does not.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 10;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  record.WriteSgf(target.c_str());
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(SaveFailures(), 1);
  EXPECT_EQ(folder.Read("full.sgf"), old);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"full.sgf"}));
}

TEST_F(SgfWriter, ADanglingLinkIsRefusedAndStaysALink) {
  std::filesystem::create_symlink("gone.sgf", folder.Root() / "link.sgf");
  record.WriteSgf(folder.Path("link.sgf").c_str());
  EXPECT_EQ(SaveFailures(), 1);
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Root() / "link.sgf"));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"link.sgf"}));
}

TEST_F(SgfWriter, AReplacedFileKeepsItsPermissions) {
  const std::string target = folder.Write("shared.sgf", "old");
  std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
  Put(15, 3);
  record.WriteSgf(target.c_str());
  EXPECT_EQ(SaveFailures(), 0);
  EXPECT_EQ(std::filesystem::status(target).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}
#endif

TEST_F(SgfWriter, ASaveThroughALinkWritesTheFileItNamesAndTheLinkStays) {
  std::filesystem::path base = folder.Root();
#ifdef _WIN32
  if (const char* unixFolder = std::getenv("TAVUNE_UNIX_LINK_FOLDER")) {
    base = std::string("Z:") + unixFolder;
  } else if (windows_test::RunsUnderWine()) {
    GTEST_SKIP() << "Wine makes no links: run by ctest's wine.unix_link";
  }
#endif
  if (base == folder.Root()) {
    std::filesystem::create_directory(base / "named");
    folder.Write("named/game.sgf", "old");
#ifdef _WIN32
    ASSERT_TRUE(windows_test::MakeFileLink((base / "link.sgf").wstring(), L"named\\game.sgf"))
        << "making a link needs Developer Mode or an elevated process";
#else
    std::filesystem::create_symlink("named/game.sgf", base / "link.sgf");
#endif
  }
  record.WriteSgf((base / "link.sgf").string().c_str());
  EXPECT_TRUE(std::filesystem::equivalent(base / "link.sgf", base / "named/game.sgf"));
  EXPECT_EQ(std::filesystem::file_size(base / "named/game.sgf"), 7u);  // "(;\r\n)\r\n"
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(base / "named"), {}), 1);
}

TEST_F(SgfWriter, WithoutViewsAFailedSaveTellsNobodyAndChangesNothing) {
  record.AttachViews(nullptr);
  Put(15, 3);
  record.WriteSgf(folder.Path("no such folder/saved.sgf").c_str());
  EXPECT_EQ(record.LineLength(), 2);
  EXPECT_TRUE(views.calls.empty());
}

TEST_F(SgfWriter, SetupStonesComeBackAsSingleMoves) {
  record_test::LoadSgfText(record, folder, "(;AB[dd][pp];W[qd])", "setup.sgf");
  EXPECT_EQ(Saved(), "(;\r\nB[dd];\r\nB[pp];\r\nW[qd];\r\n)\r\n");
  GameRecord again;
  again.Load(folder.Path("saved.sgf").c_str());
  ASSERT_EQ(again.mainCount, 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(record_test::SameCells(again.LinePositionAt(i), record.LinePositionAt(i))) << i;
    EXPECT_EQ(again.LinePositionAt(i).nextMode, record.LinePositionAt(i).nextMode) << i;
  }
}

TEST_F(SgfWriter, ModesComeBackByTheColoursThatFollowNotAsEntered) {
  record.Current().nextMode = ID_NEXT_BLACK_MANY;
  Put(3, 3);
  Put(4, 4);
  Saved();
  GameRecord again;
  again.Load(folder.Path("saved.sgf").c_str());
  ASSERT_EQ(again.mainCount, 3);
  EXPECT_EQ(again.LinePositionAt(0).nextMode, ID_NEXT_BLACK);
  EXPECT_EQ(again.LinePositionAt(1).nextMode, ID_NEXT_BLACK);
  EXPECT_EQ(again.LinePositionAt(2).nextMode, ID_NEXT_WHITE);
}

}  // namespace
