// The save when Windows answers as it seldom does, staged by standing in for kernel32's
// calls at the program's import table: an old file taken away by a replace that could
// not finish, a path with no UTF-8 form, a brief denial and a lasting one. Each goes
// through the record and the shell to the message box the user reads.
#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>
#include <thread>

#include "frame_test_support.h"
#include "record/game_record.h"
#include "view_test_support.h"

namespace {

const char kThreeMoves[] = "(;B[pd];W[dd];B[pp])";
const char kThreeMovesSaved[] = "(;\r\nB[pd];\r\nW[dd];\r\nB[pp];\r\n)\r\n";

// Points the program's import of kernel32!function at a stand-in while it lives; *real
// keeps the function itself, which the test's own calls would otherwise reach as the
// stand-in too.
template <typename Fn>
class StandIn {
 public:
  StandIn(const char* function, Fn standIn, Fn* real) : function_(function), real_(real) {
    *real_ = reinterpret_cast<Fn>(
        PatchImport("kernel32.dll", function, reinterpret_cast<void*>(standIn)));
    EXPECT_NE(nullptr, *real_) << function;
  }
  ~StandIn() { PatchImport("kernel32.dll", function_, reinterpret_cast<void*>(*real_)); }

 private:
  const char* function_;
  Fn* real_;
};

decltype(&ReplaceFileW) realReplace;
decltype(&WideCharToMultiByte) realConvert;
decltype(&MoveFileExW) realMove;
decltype(&CreateFileW) realCreate;
std::atomic<int> calls{0};

// ReplaceFileW as Windows leaves it on 1176: the old file is gone, and something else has
// taken its name (here a folder), so the move that would finish the save fails too.
BOOL WINAPI ReplaceLosingTheTarget(LPCWSTR target, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
  DeleteFileW(target);
  CreateDirectoryW(target, nullptr);
  SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
  return FALSE;
}

// The temporary file's path has no UTF-8 form, as with a lone surrogate in its folder.
int WINAPI NoUtf8ForTheTemporaryPath(UINT page, DWORD flags, LPCWCH text, int length, LPSTR out,
                                     int size, LPCCH fallback, LPBOOL used) {
  if (page == CP_UTF8 && (flags & WC_ERR_INVALID_CHARS) && length == -1 &&
      std::wcsstr(text, L"\\~tavune-")) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  return realConvert(page, flags, text, length, out, size, fallback, used);
}

// A scanner that holds the fresh file for the first three tries of its move.
BOOL WINAPI MoveDeniedThreeTimes(LPCWSTR from, LPCWSTR to, DWORD flags) {
  if (++calls <= 3) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return realMove(from, to, flags);
}

// The user may not delete the target: the open for deletion that comes before a replace
// is refused, every time.
HANDLE WINAPI DeletionDenied(LPCWSTR name, DWORD access, DWORD share,
                             LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                             HANDLE model) {
  if (access & DELETE) {
    ++calls;
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  return realCreate(name, access, share, security, disposition, flags, model);
}

// Saves the record to path on the program's thread, as Save does, and dismisses the box if
// one comes; returns its text, "" when none came.
std::string SaveAndReadBox(AppHarness& app, const std::string& path) {
  std::atomic<bool> saved{false};
  std::thread save([&] {
    app.OnUiThread([&] { gGameRecord->WriteSgf(path.c_str()); });
    saved = true;
  });
  std::string text;
  WaitFor([&] { return saved || FindDialogOf(app.ThreadId()) != nullptr; }, 15000);
  if (HWND box = FindDialogOf(app.ThreadId())) {
    text = MessageBoxText(box);
    PressButton(box, IDOK);
  }
  save.join();
  return text;
}

// The names in folder that match pattern.
std::vector<std::string> EntriesOf(const std::string& folder, const char* pattern = "*") {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
    if (found.cFileName[0] != '.') names.push_back(found.cFileName);
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return names;
}

class SaveRareAnswers : public ::testing::Test {
 protected:
  SaveRareAnswers() { calls = 0; }
  const std::string folder = MakeTempFolder("rare");
  const std::string target = folder + "\\game.sgf";
  AppHarness app{MakeRecordFile("rare-source", kThreeMoves)};
};

TEST_F(SaveRareAnswers, AnOldFileTakenAwayLeavesTheRecordInTheTemporaryFileThatTheBoxNames) {
  ASSERT_TRUE(WriteFileBytes(target, "old"));
  std::string box;
  {
    StandIn replace("ReplaceFileW", &ReplaceLosingTheTarget, &realReplace);
    box = SaveAndReadBox(app, target);
  }
  const std::vector<std::string> kept = EntriesOf(folder, "~tavune-*.tmp");
  ASSERT_EQ(1u, kept.size()) << box;
  EXPECT_EQ(kThreeMovesSaved, ReadFileBytes(folder + "\\" + kept[0]));
  EXPECT_EQ(0u, box.find("保存を終えられませんでした。")) << box;
  EXPECT_NE(std::string::npos, box.find("\n" + folder + "\\" + kept[0] + "\n")) << box;
}

TEST_F(SaveRareAnswers, AKeptFileWhosePathHasNoUtf8FormIsNamedAsAFileBesideTheTarget) {
  ASSERT_TRUE(WriteFileBytes(target, "old"));
  std::string box;
  {
    StandIn replace("ReplaceFileW", &ReplaceLosingTheTarget, &realReplace);
    StandIn convert("WideCharToMultiByte", &NoUtf8ForTheTemporaryPath, &realConvert);
    box = SaveAndReadBox(app, target);
  }
  const std::vector<std::string> kept = EntriesOf(folder, "~tavune-*.tmp");
  ASSERT_EQ(1u, kept.size()) << box;
  EXPECT_EQ(kThreeMovesSaved, ReadFileBytes(folder + "\\" + kept[0]));
  EXPECT_NE(std::string::npos, box.find("保存先のファイルと同じフォルダー")) << box;
  EXPECT_NE(std::string::npos, box.find("\n\n" + kept[0] + "\n\n")) << box;
}

TEST_F(SaveRareAnswers, ABriefDenialOfTheFreshFilesMoveIsWaitedOut) {
  std::string box;
  {
    StandIn move("MoveFileExW", &MoveDeniedThreeTimes, &realMove);
    box = SaveAndReadBox(app, target);
  }
  EXPECT_EQ("", box);
  EXPECT_EQ(4, calls);
  EXPECT_EQ(kThreeMovesSaved, ReadFileBytes(target));
  EXPECT_EQ(std::vector<std::string>{"game.sgf"}, EntriesOf(folder));
}

TEST_F(SaveRareAnswers, ATargetTheUserMayNotDeleteFailsAtTheFirstRefusal) {
  ASSERT_TRUE(WriteFileBytes(target, "old"));
  std::string box;
  {
    StandIn create("CreateFileW", &DeletionDenied, &realCreate);
    box = SaveAndReadBox(app, target);
  }
  EXPECT_EQ("ファイルを開けませんでした", box);
  EXPECT_EQ(1, calls);
  EXPECT_EQ("old", ReadFileBytes(target));
  EXPECT_EQ(std::vector<std::string>{"game.sgf"}, EntriesOf(folder));
}

}  // namespace
