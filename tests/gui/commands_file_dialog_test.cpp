// Open, Save and Save As through the real common dialogs, the save path that only Save As
// sets, a cancelled dialog, a long path, and the message box of a failed save.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/frame.h"
#include "frame_test_support.h"
#include "view_test_support.h"
#include "record/game_record.h"
#include "resource.h"
#include "view/child_toolbar.h"

namespace {

// Three moves, black last: white to play at the end.
const char kThreeMoves[] = "(;GM[1]SZ[19];B[pd];W[dd];B[pp])";
const char kThreeMovesSaved[] = "(;\r\nB[pd];\r\nW[dd];\r\nB[pp];\r\n)\r\n";
const char kEmptySaved[] = "(;\r\n)\r\n";

struct Record {
  int mainCount, mainCursor, mode;
};

Record RecordOf(AppHarness& app) {
  Record record{};
  app.OnUiThread([&] {
    record = {gGameRecord->mainCount, gGameRecord->mainCursor, gGameRecord->Current().nextMode};
  });
  return record;
}

// In the code page, as the tests' paths are written. A name the code page cannot spell
// comes back as no path at all, never as a best-fit look-alike that would compare equal.
std::string SavePathOf(AppHarness& app) {
  char path[3000] = {};
  BOOL lossy = FALSE;
  app.OnUiThread([&] {
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, gFrame->SavePath(), -1, path, sizeof path,
                        nullptr, &lossy);
  });
  return lossy ? "<not in the code page>" : path;
}

// Posts the command and waits for the dialog it opens.
HWND OpenDialogOf(AppHarness& app, int id) {
  app.PostCommand(id);
  HWND dialog = WaitForDialog(app);
  EXPECT_NE(nullptr, dialog);
  if (dialog) EXPECT_TRUE(WaitFor([&] { return FileNameBox(dialog) != nullptr; }));
  return dialog;
}

// Waits for the dialog to end and lets the command that opened it finish. A dialog that
// stays (an unexpected question) fails the test and is cancelled, so the run can close.
void Finish(AppHarness& app) {
  bool ended = WaitForNoDialog(app);
  EXPECT_TRUE(ended);
  for (int i = 0; !ended && i < 3; ++i) {
    if (HWND left = FindDialogOf(app.ThreadId())) PressButton(left, IDCANCEL);
    ended = WaitForNoDialog(app, 5000);
  }
  app.OnUiThread([] {});
}

template <typename Name>
void ChooseInDialog(AppHarness& app, int id, const Name& name) {
  HWND dialog = OpenDialogOf(app, id);
  if (!dialog) return;
  ChooseFile(dialog, name);
  Finish(app);
}

void CancelDialog(AppHarness& app, int id) {
  HWND dialog = OpenDialogOf(app, id);
  if (!dialog) return;
  PressButton(dialog, IDCANCEL);
  Finish(app);
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

TEST(FileDialogs, OpenLoadsTheChosenFileAndShowsItsLastPosition) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  const std::string file = MakeRecordFile("open", kThreeMoves);
  AppHarness app;
  TraceRecorder trace;
  ChooseInDialog(app, ID_FILE_OPEN, file);
  EXPECT_EQ((std::vector<std::string>{"Frame::OnCommand()\n", "Frame::OnCommandFileOpen()\n"}),
            FrameTraces(trace));
  Record record = RecordOf(app);
  EXPECT_EQ(4, record.mainCount);
  EXPECT_EQ(3, record.mainCursor);
  EXPECT_EQ(ID_NEXT_WHITE, record.mode);
  EXPECT_EQ(std::vector<std::string>{"白から交互 (&S)"}, CheckedLabels(app.Main(), 2));
  EXPECT_EQ(ID_NEXT_WHITE, gChildToolbar->Mode());
  EXPECT_EQ("", SavePathOf(app)) << "Open leaves the save path alone";
}

// Names that code page 932 cannot spell reach their files whole from the Open dialog and
// from a drop.
TEST(FileDialogs, NamesTheCodePageCannotSpellOpenWholeFromTheDialogAndADrop) {
  const std::filesystem::path folder = WideOf(MakeTempFolder("wide"));
  std::ofstream(folder / L"柯洁.sgf", std::ios::binary) << kThreeMoves;
  std::ofstream(folder / L"\U0001F600.sgf", std::ios::binary) << "(;B[aa])";
  AppHarness app;
  ChooseInDialog(app, ID_FILE_OPEN, (folder / L"柯洁.sgf").wstring());
  EXPECT_EQ(4, RecordOf(app).mainCount);
  HDROP drop = MakeDrop(std::vector<std::wstring>{(folder / L"\U0001F600.sgf").wstring()});
  app.OnUiThread([&] { SendMessageW(app.Board(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); });
  EXPECT_EQ(2, RecordOf(app).mainCount);
}

TEST(FileDialogs, OpenTakesAPathLongerThanAHundredCharacters) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  std::string folder = MakeTempFolder("long");
  for (const char* part : {"\\a-folder-name-of-forty-characters-xxxxx", "\\another-folder-of-forty-characters-yyy"}) {
    folder += part;
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  const std::string file = folder + "\\a-record-with-a-long-name.sgf";
  ASSERT_GT(file.size(), 100u);
  ASSERT_TRUE(WriteFileBytes(file, kThreeMoves));
  AppHarness app;
  ChooseInDialog(app, ID_FILE_OPEN, file);
  EXPECT_EQ(4, RecordOf(app).mainCount);
}

TEST(FileDialogs, SaveBeforeAnySaveAsAsksForANameAndACancelWritesNothing) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(MakeRecordFile("unsaved", kThreeMoves));
  TraceRecorder trace;
  HWND dialog = OpenDialogOf(app, ID_FILE_SAVE);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("", TextOf(FileNameBox(dialog)));
  PressButton(dialog, IDCANCEL);
  Finish(app);
  EXPECT_EQ((std::vector<std::string>{"Frame::OnCommand()\n", "Frame::OnCommandFileSave()\n",
                                      "Frame::OnCommandFileSaveAs()\n"}),
            FrameTraces(trace));
  EXPECT_EQ("", SavePathOf(app));
  EXPECT_EQ(4, RecordOf(app).mainCount);
}

TEST(FileDialogs, ACancelledDialogChangesNothing) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(MakeRecordFile("kept", kThreeMoves));
  app.Command(ID_LOOK_BACK);
  const std::string folder = MakeTempFolder("first");
  ChooseInDialog(app, ID_FILE_SAVE_AS, folder + "\\first.sgf");
  ASSERT_EQ(folder + "\\first.sgf", SavePathOf(app));

  CancelDialog(app, ID_FILE_OPEN);
  Record record = RecordOf(app);
  EXPECT_EQ(4, record.mainCount);
  EXPECT_EQ(2, record.mainCursor);

  // Save As proposes the last name; cancelled, it keeps it and writes nothing more.
  HWND dialog = OpenDialogOf(app, ID_FILE_SAVE_AS);
  ASSERT_NE(nullptr, dialog);
  EXPECT_NE(std::string::npos, TextOf(FileNameBox(dialog)).find("first"));
  DeleteFileA((folder + "\\first.sgf").c_str());
  PressButton(dialog, IDCANCEL);
  Finish(app);
  EXPECT_EQ(folder + "\\first.sgf", SavePathOf(app));
  EXPECT_FALSE(FileExists(folder + "\\first.sgf"));
}

TEST(FileDialogs, SaveAsWritesTheRecordAndSaveAfterNewAsksBeforeWritingOverIt) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(MakeRecordFile("source", kThreeMoves));
  const std::string folder = MakeTempFolder("saved");
  TraceRecorder trace;
  ChooseInDialog(app, ID_FILE_SAVE_AS, folder + "\\game");  // the dialog adds ".sgf"
  EXPECT_EQ((std::vector<std::string>{"Frame::OnCommand()\n", "Frame::OnCommandFileSaveAs()\n"}),
            FrameTraces(trace));
  const std::string file = folder + "\\game.sgf";
  EXPECT_EQ(file, SavePathOf(app));
  EXPECT_EQ(kThreeMovesSaved, ReadFileBytes(file));

  app.Command(ID_FILE_NEW);
  EXPECT_EQ(file, SavePathOf(app)) << "New keeps the save path";
  trace.Clear();
  // The empty game is not the one saved there: Save asks, proposing the same name.
  HWND dialog = OpenDialogOf(app, ID_FILE_SAVE);
  ASSERT_NE(nullptr, dialog);
  EXPECT_NE(std::string::npos, TextOf(FileNameBox(dialog)).find("game.sgf"));
  PressButton(dialog, IDCANCEL);
  Finish(app);
  EXPECT_EQ(kThreeMovesSaved, ReadFileBytes(file));
  EXPECT_EQ((std::vector<std::string>{"Frame::OnCommand()\n", "Frame::OnCommandFileSave()\n",
                                      "Frame::OnCommandFileSaveAs()\n"}),
            FrameTraces(trace));
}

TEST(FileDialogs, AFailedSaveShowsTheMessageBoxAndKeepsTheSavePath) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(MakeRecordFile("lost", kThreeMoves));
  const std::string folder = MakeTempFolder("gone");
  const std::string file = folder + "\\lost.sgf";
  ChooseInDialog(app, ID_FILE_SAVE_AS, file);
  ASSERT_TRUE(DeleteFileA(file.c_str()));
  ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));

  app.PostCommand(ID_FILE_SAVE);
  HWND box = WaitForDialog(app);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("エラー", TextOf(box));
  EXPECT_EQ("ファイルを開けませんでした", MessageBoxText(box));
  PressButton(box, IDOK);
  Finish(app);
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(file, SavePathOf(app));
  EXPECT_TRUE(IsWindowEnabled(app.Main()));
}
