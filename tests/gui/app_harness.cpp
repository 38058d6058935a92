#include "app_harness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <sstream>

#include "app/frame.h"
#include "platform/trace.h"
#include "view/child_goban.h"
#include "view/child_toolbar.h"

namespace {

std::mutex traceMutex;
std::vector<std::string> traceTexts;

void RecordTrace(const char* text) {
  std::lock_guard<std::mutex> lock(traceMutex);
  traceTexts.emplace_back(text);
}

const char kSettingsKey[] = "Software\\Orvenda\\Tavune";

}  // namespace

bool WaitFor(const std::function<bool()>& pred, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 10) {
    if (pred()) return true;
    Sleep(10);
  }
  return pred();
}

AppHarness::AppHarness(const std::string& commandLine) : commandLine_(commandLine) {
  thread_ = CreateThread(nullptr, 0, &AppHarness::ThreadMain, this, 0, &threadId_);
  bool up = WaitFor([this] {
    return gFrame && gFrame->MainWindow() && gChildGoban && gChildGoban->Window() &&
           gChildToolbar && gChildToolbar->Window() && IsWindowVisible(gFrame->MainWindow());
  });
  EXPECT_TRUE(up) << "the program's windows did not appear";
  if (up) {
    // Let start-up finish (the toolbar's mode is set after ShowWindow returns).
    OnUiThread([] {});
  }
}

AppHarness::~AppHarness() {
  if (Running()) Close();
  if (thread_) CloseHandle(thread_);
}

DWORD WINAPI AppHarness::ThreadMain(void* self) {
  auto* harness = static_cast<AppHarness*>(self);
  Frame frame(GetModuleHandleA(nullptr), nullptr, &harness->commandLine_[0], SW_SHOWNORMAL);
  LONG code = frame.Run();
  InterlockedExchange(&harness->exitCode_, code);
  InterlockedExchange(&harness->finished_, 1);
  return 0;
}

HWND AppHarness::Main() const { return gFrame ? gFrame->MainWindow() : nullptr; }
HWND AppHarness::Board() const { return gChildGoban ? gChildGoban->Window() : nullptr; }
HWND AppHarness::Toolbar() const { return gChildToolbar ? gChildToolbar->Window() : nullptr; }

void AppHarness::Command(int id) { SendMessageA(Main(), WM_COMMAND, id, 0); }

void AppHarness::PostCommand(int id) { PostMessageA(Main(), WM_COMMAND, id, 0); }

namespace {
const UINT kRunOnUiThread = WM_APP + 0x3a1;
const UINT kDrained = WM_APP + 0x3a2;
WNDPROC originalFrameProc = nullptr;

LRESULT CALLBACK RunningProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunOnUiThread) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
  }
  if (message == kDrained) {
    SetEvent(reinterpret_cast<HANDLE>(lParam));
    return 0;
  }
  return CallWindowProcA(originalFrameProc, window, message, wParam, lParam);
}
}  // namespace

void AppHarness::OnUiThread(const std::function<void()>& fn) {
  HWND main = Main();
  if (!main) return;
  // A message-only helper window of the program's thread would be cleaner, but the main
  // window already lives there: route one private message through a subclass.
  if (!originalFrameProc) {
    originalFrameProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(main, GWLP_WNDPROC));
  }
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(main, GWLP_WNDPROC)) != RunningProc) {
    originalFrameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RunningProc)));
  }
  SendMessageA(main, kRunOnUiThread, 0, reinterpret_cast<LPARAM>(&fn));
}

void AppHarness::DrainPosted() {
  OnUiThread([] {});  // installs the subclass that answers the marker
  HANDLE drained = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  // Posted messages are taken in order: when the marker arrives, all before it are done.
  PostMessageA(Main(), kDrained, 0, reinterpret_cast<LPARAM>(drained));
  WaitForSingleObject(drained, 20000);
  CloseHandle(drained);
}

void AppHarness::PaintNow() {
  OnUiThread([this] {
    RedrawWindow(Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  });
}

int AppHarness::Close() {
  if (!Running()) return exitCode_;
  PostMessageA(Main(), WM_CLOSE, 0, 0);
  WaitForSingleObject(thread_, 20000);
  originalFrameProc = nullptr;
  return exitCode_;
}

bool AppHarness::Running() const { return thread_ && finished_ == 0; }

TraceRecorder::TraceRecorder() {
  Clear();
  platform::SetTraceTap(&RecordTrace);
}

TraceRecorder::~TraceRecorder() { platform::SetTraceTap(nullptr); }

std::vector<std::string> TraceRecorder::Texts() const {
  std::lock_guard<std::mutex> lock(traceMutex);
  return traceTexts;
}

void TraceRecorder::Clear() {
  std::lock_guard<std::mutex> lock(traceMutex);
  traceTexts.clear();
}

int TraceRecorder::Count(const std::string& text) const {
  int n = 0;
  for (const auto& t : Texts()) n += (t == text);
  return n;
}

HWND FindDialogOf(DWORD threadId) {
  struct Search {
    DWORD thread;
    HWND found;
  } search{threadId, nullptr};
  EnumThreadWindows(
      threadId,
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char cls[32] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void DeleteSettingsKey() { RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey); }

void WriteSettingDword(const char* name, DWORD value) {
  HKEY key = nullptr;
  if (RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS) return;
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
  RegCloseKey(key);
}

bool ReadSettingDword(const char* name, DWORD* value) {
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = 4;
  LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_DWORD && size == 4;
}

std::string MakeTempFolder(const std::string& hint) {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  // Wine hands out the same small process ids run after run, so a name may already
  // exist with an earlier run's files in it: take the next serial until one is new.
  static int serial = 0;
  for (;;) {
    std::ostringstream name;
    name << base << "tavune-gui-" << hint << "-" << GetCurrentProcessId() << "-" << ++serial;
    if (CreateDirectoryA(name.str().c_str(), nullptr)) return name.str();
    if (GetLastError() != ERROR_ALREADY_EXISTS) return name.str();
  }
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}
