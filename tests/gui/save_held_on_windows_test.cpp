// A virus scanner or an indexer reading the file the user saves over. Such programs open it
// sharing read, write and delete; Windows still refuses to rename a file over one that
// another process has open, so the save meets a refusal and must wait it out.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "../unit/windows_test_support.h"
#include "frame_test_support.h"
#include "resource.h"
#include "view_test_support.h"

namespace {

// Another process that holds a file open as a scanner does: a suspended copy of this
// program, into which the handle is moved.
class HoldingProcess {
 public:
  explicit HoldingProcess(const std::string& path) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_list_tests";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process_)) {
      return;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE moved = nullptr;
    holding_ = file != INVALID_HANDLE_VALUE &&
               DuplicateHandle(GetCurrentProcess(), file, process_.hProcess, &moved, 0, FALSE,
                               DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE);
  }
  ~HoldingProcess() { Release(); }
  HoldingProcess(const HoldingProcess&) = delete;
  HoldingProcess& operator=(const HoldingProcess&) = delete;

  bool Holding() const { return holding_; }

  // Ends the process, and with it the hold.
  void Release() {
    if (process_.hProcess == nullptr) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, INFINITE);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
    holding_ = false;
  }

 private:
  PROCESS_INFORMATION process_{};
  bool holding_ = false;
};

using ReplaceFileFn = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID);
using MoveFileExFn = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, DWORD);
ReplaceFileFn gReplaceFile = nullptr;
MoveFileExFn gMoveFileEx = nullptr;
HoldingProcess* gScanner = nullptr;
std::atomic<DWORD> gRefusal{ERROR_SUCCESS};
std::atomic<bool> gPlaced{false};

// The first refusal met while the scanner holds the file ends the hold: it lasts exactly
// one attempt of the save, however fast or slow the machine.
BOOL Watched(BOOL done) {
  const DWORD error = GetLastError();
  if (done) gPlaced = true;
  if (!done && gScanner->Holding()) {
    gRefusal = error;
    gScanner->Release();
  }
  SetLastError(error);
  return done;
}

BOOL WINAPI WatchedReplaceFile(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                               DWORD flags, LPVOID exclude, LPVOID reserved) {
  return Watched(gReplaceFile(replaced, replacement, backup, flags, exclude, reserved));
}

BOOL WINAPI WatchedMoveFileEx(LPCWSTR from, LPCWSTR to, DWORD flags) {
  return Watched(gMoveFileEx(from, to, flags));
}

// Watches the save's two ways of putting its file in place while it lives.
class PlacementWatch {
 public:
  explicit PlacementWatch(HoldingProcess* scanner) {
    gScanner = scanner;
    gRefusal = ERROR_SUCCESS;
    gPlaced = false;
    gReplaceFile = reinterpret_cast<ReplaceFileFn>(
        PatchImport("kernel32.dll", "ReplaceFileW", reinterpret_cast<void*>(&WatchedReplaceFile)));
    gMoveFileEx = reinterpret_cast<MoveFileExFn>(
        PatchImport("kernel32.dll", "MoveFileExW", reinterpret_cast<void*>(&WatchedMoveFileEx)));
  }
  ~PlacementWatch() {
    PatchImport("kernel32.dll", "ReplaceFileW", reinterpret_cast<void*>(gReplaceFile));
    PatchImport("kernel32.dll", "MoveFileExW", reinterpret_cast<void*>(gMoveFileEx));
  }
  bool Patched() const { return gReplaceFile != nullptr && gMoveFileEx != nullptr; }
};

}  // namespace

TEST(SaveCommandOnWindows, ASaveOverAFileThatAScannerReadsWaitsUntilItLetsGo) {
  StoreSettings(0, 0, ID_VIEW_MIDDLE);
  AppHarness app(MakeRecordFile("scanned", "(;B[pd])"));
  const std::string folder = MakeTempFolder("scanned");
  const std::string file = folder + "\\game.sgf";
  app.PostCommand(ID_FILE_SAVE_AS);
  HWND dialog = WaitForDialog(app);
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(WaitFor([&] { return FileNameBox(dialog) != nullptr; }));
  ChooseFile(dialog, file);
  ASSERT_TRUE(WaitForNoDialog(app));
  // White's reply at 4-四, so that the save has new bytes to write.
  app.OnUiThread([&] { SendMessageA(app.Board(), WM_LBUTTONUP, 0, MAKELPARAM(144, 144)); });

  HoldingProcess scanner(file);
  ASSERT_TRUE(scanner.Holding());
  PlacementWatch watch(&scanner);
  ASSERT_TRUE(watch.Patched());
  app.PostCommand(ID_FILE_SAVE);
  ASSERT_TRUE(WaitFor([&] { return gPlaced || FindDialogOf(app.ThreadId()) != nullptr; }));
  if (HWND box = FindDialogOf(app.ThreadId())) {
    ADD_FAILURE() << "the save failed after the refusal " << gRefusal.load() << ": "
                  << MessageBoxText(box);
    PressButton(box, IDOK);
    WaitForNoDialog(app);
  }
  EXPECT_EQ("(;\r\nB[pd];\r\nW[dd];\r\n)\r\n", ReadFileBytes(file));
  if (windows_test::RunsUnderWine()) {
    GTEST_SKIP() << "Wine renames over a file that another process holds open, so the save "
                    "meets no hold to wait out";
  }
  EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), gRefusal.load()) << "the save met no hold";
}
