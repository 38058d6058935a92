#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs the whole program (Frame::Run, as WinMain does) on a thread of its own, so that a
// test can drive its real windows with SendMessage and look at them while it runs.
class AppHarness {
 public:
  // Starts the program with the given command line and waits until the main window, the
  // board window and the toolbar exist. Fails the current test when they do not appear.
  explicit AppHarness(const std::string& commandLine = "");
  // Closes the program if it still runs.
  ~AppHarness();
  AppHarness(const AppHarness&) = delete;
  AppHarness& operator=(const AppHarness&) = delete;

  HWND Main() const;
  HWND Board() const;
  HWND Toolbar() const;

  // Sends WM_COMMAND with the id, as a menu click does; returns when it was handled.
  void Command(int id);
  // Posts WM_COMMAND (for commands that open a modal dialog).
  void PostCommand(int id);
  // Runs fn on the program's thread and returns when it is done.
  void OnUiThread(const std::function<void()>& fn);
  // Returns once the program's loop has taken every message posted to it before the call.
  void DrainPosted();
  // Paints every pending update region now.
  void PaintNow();
  // Closes the main window (WM_CLOSE) and waits for Frame::Run to return; its result.
  int Close();
  bool Running() const;

  // The program's thread id, to find its dialogs.
  DWORD ThreadId() const { return threadId_; }

 private:
  static DWORD WINAPI ThreadMain(void* self);

  std::string commandLine_;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  volatile LONG exitCode_ = -1;
  volatile LONG finished_ = 0;
};

// Trace texts written while it lives, in order.
class TraceRecorder {
 public:
  TraceRecorder();
  ~TraceRecorder();
  std::vector<std::string> Texts() const;
  void Clear();
  // Number of times text was traced.
  int Count(const std::string& text) const;
};

// Polls pred every 10 ms until it holds or timeoutMs passes; true when it held.
bool WaitFor(const std::function<bool()>& pred, int timeoutMs = 10000);

// A top-level dialog (#32770) of the given thread, or nullptr.
HWND FindDialogOf(DWORD threadId);

// The settings key of the program in HKEY_CURRENT_USER.
void DeleteSettingsKey();
void WriteSettingDword(const char* name, DWORD value);
bool ReadSettingDword(const char* name, DWORD* value);

// A fresh empty folder under the temp folder, removed by the caller if wanted.
std::string MakeTempFolder(const std::string& hint);
// Writes bytes to path; true on success.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// The whole file, or an empty string when it cannot be read.
std::string ReadFileBytes(const std::string& path);
