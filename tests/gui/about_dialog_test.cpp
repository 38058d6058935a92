// The version dialog: its texts come from the program's version resource; the buttons
// and keys that end it are traced by the version command.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/version_block.h"
#include "app/version_info.h"
#include "frame_test_support.h"
#include "resource.h"

namespace {

using GetInfoSizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
using GetInfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

// The program's version block as the system's version library reads it from the file.
class SystemVersionInfo {
 public:
  SystemVersionInfo() {
    HMODULE library = LoadLibraryA("version.dll");
    auto getSize = reinterpret_cast<GetInfoSizeFn>(GetProcAddress(library, "GetFileVersionInfoSizeW"));
    auto getInfo = reinterpret_cast<GetInfoFn>(GetProcAddress(library, "GetFileVersionInfoW"));
    query_ = reinterpret_cast<QueryFn>(GetProcAddress(library, "VerQueryValueW"));
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    block_.resize(getSize(path, &handle));
    getInfo(path, 0, static_cast<DWORD>(block_.size()), block_.data());
  }

  // The string entry's value in code page 932.
  std::string Text(const wchar_t* key) const {
    std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + key;
    void* value = nullptr;
    UINT length = 0;
    if (!query_(block_.data(), path.c_str(), &value, &length)) return "<missing>";
    char text[200] = {};
    WideCharToMultiByte(932, 0, static_cast<const wchar_t*>(value), -1, text, sizeof text,
                        nullptr, nullptr);
    return text;
  }

  VS_FIXEDFILEINFO Fixed() const {
    void* value = nullptr;
    UINT length = 0;
    query_(block_.data(), L"\\", &value, &length);
    return *static_cast<const VS_FIXEDFILEINFO*>(value);
  }

  DWORD Translation() const {
    void* value = nullptr;
    UINT length = 0;
    query_(block_.data(), L"\\VarFileInfo\\Translation", &value, &length);
    return length == 4 ? *static_cast<const DWORD*>(value) : 0;
  }

 private:
  std::vector<unsigned char> block_;
  QueryFn query_ = nullptr;
};

std::wstring WideTextOf(HWND window) {
  wchar_t text[256] = {};
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

struct Shown {
  std::string title, name, version, legal;
  LONG nameStyle = 0, versionStyle = 0, legalStyle = 0;
};

Shown LookAt(HWND dialog) {
  Shown shown;
  shown.title = TextOf(dialog);
  shown.name = TextOf(GetDlgItem(dialog, IDC_PRODUCT_NAME));
  shown.version = TextOf(GetDlgItem(dialog, IDC_PRODUCT_VERSION));
  shown.legal = TextOf(GetDlgItem(dialog, IDC_LEGAL_NOTICE));
  shown.nameStyle = GetWindowLongA(GetDlgItem(dialog, IDC_PRODUCT_NAME), GWL_STYLE);
  shown.versionStyle = GetWindowLongA(GetDlgItem(dialog, IDC_PRODUCT_VERSION), GWL_STYLE);
  shown.legalStyle = GetWindowLongA(GetDlgItem(dialog, IDC_LEGAL_NOTICE), GWL_STYLE);
  return shown;
}

// The version command's texts, in order.
std::vector<std::string> AboutTraces(const TraceRecorder& trace) {
  std::vector<std::string> about;
  for (const std::string& t : FrameTraces(trace)) {
    if (t.rfind("Frame::OnCommandAbout", 0) == 0) about.push_back(t);
  }
  return about;
}

const std::vector<std::string> kEndedByOk = {"Frame::OnCommandAbout()\n",
                                             "Frame::OnCommandAbout(IDOK)\n"};
const std::vector<std::string> kEndedByCancel = {"Frame::OnCommandAbout()\n",
                                                 "Frame::OnCommandAbout(IDCANCEL)\n"};

// Opens the version dialog through the command, ends it with end, returns what it showed.
template <typename End>
Shown ShowAndEnd(AppHarness& app, End end) {
  app.PostCommand(IDM_ABOUT);
  HWND dialog = WaitForDialog(app);
  EXPECT_NE(nullptr, dialog);
  if (!dialog) return Shown{};
  Shown shown = LookAt(dialog);
  EXPECT_FALSE(IsWindowEnabled(app.Main())) << "the dialog is modal";
  end(dialog);
  EXPECT_TRUE(WaitForNoDialog(app));
  app.OnUiThread([] {});
  return shown;
}

}  // namespace

TEST(AboutDialog, VersionResourceHoldsTheFixedInfoAndEightEntriesInOrder) {
  SystemVersionInfo info;
  VS_FIXEDFILEINFO fixed = info.Fixed();
  EXPECT_EQ(0u, fixed.dwFileVersionMS);
  EXPECT_EQ(0u, fixed.dwFileVersionLS);
  EXPECT_EQ(0x00010000u, fixed.dwProductVersionMS);
  EXPECT_EQ(0x00000004u, fixed.dwProductVersionLS);
  EXPECT_EQ(0x17u, fixed.dwFileFlagsMask);
  EXPECT_EQ(0u, fixed.dwFileFlags);
  EXPECT_EQ(4u, fixed.dwFileOS);
  EXPECT_EQ(1u, fixed.dwFileType);
  EXPECT_EQ(0u, fixed.dwFileSubtype);
  EXPECT_EQ(MAKELONG(0x0411, 1200), static_cast<LONG>(info.Translation()));
  EXPECT_EQ("0, 0, 0, 0", info.Text(L"FileVersion"));
  EXPECT_EQ("1, 0, 0, 4", info.Text(L"ProductVersion"));

  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
  ASSERT_NE(nullptr, found);
  VersionEntry entries[kVersionEntryCount];
  ASSERT_EQ(8, ReadVersionEntries(static_cast<const unsigned char*>(LockResource(LoadResource(self, found))),
                                  SizeofResource(self, found), entries));
  const char16_t* keys[] = {u"CompanyName", u"FileDescription", u"FileVersion", u"InternalName",
                            u"LegalCopyright", u"OriginalFilename", u"ProductName", u"ProductVersion"};
  for (int i = 0; i < kVersionEntryCount; ++i) {
    EXPECT_EQ(std::u16string(keys[i]), std::u16string(entries[i].key)) << i;
  }
}

TEST(AboutDialog, ShowsTheVersionResourceTextsInBorderlessReadOnlyFields) {
  AppHarness app;
  TraceRecorder trace;
  SystemVersionInfo info;
  Shown shown = ShowAndEnd(app, [](HWND dialog) { PressButton(dialog, IDOK); });
  EXPECT_EQ("バージョン情報", shown.title);
  EXPECT_EQ(info.Text(L"ProductName"), shown.name);
  EXPECT_EQ(info.Text(L"ProductVersion"), shown.version);
  EXPECT_EQ(info.Text(L"LegalCopyright"), shown.legal);
  EXPECT_EQ("1, 0, 0, 4", shown.version);
  EXPECT_EQ(TextOf(app.Main()), shown.name) << "the product name is the window title";
  for (LONG style : {shown.nameStyle, shown.versionStyle, shown.legalStyle}) {
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_FALSE(style & WS_BORDER);
  }
  EXPECT_TRUE(shown.legalStyle & ES_MULTILINE);
  EXPECT_EQ(kEndedByOk, AboutTraces(trace));
  EXPECT_TRUE(IsWindowEnabled(app.Main()));
}

TEST(AboutDialog, EveryWayOutIsTracedAsOkOrCancel) {
  AppHarness app;
  SystemVersionInfo info;
  Shown first;
  {
    TraceRecorder trace;
    first = ShowAndEnd(app, [](HWND dialog) { PressButton(dialog, IDCANCEL); });
    EXPECT_EQ(kEndedByCancel, AboutTraces(trace));
  }
  {
    TraceRecorder trace;
    Shown again = ShowAndEnd(app, [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(kEndedByCancel, AboutTraces(trace)) << "the close box";
    EXPECT_EQ(first.name, again.name);
    EXPECT_EQ(first.version, again.version);
    EXPECT_EQ(first.legal, again.legal);
  }
  {
    TraceRecorder trace;
    ShowAndEnd(app, [](HWND dialog) {
      PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    });
    EXPECT_EQ(kEndedByCancel, AboutTraces(trace)) << "Escape";
  }
  {
    TraceRecorder trace;
    ShowAndEnd(app, [](HWND dialog) {
      PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_RETURN, 0x001c0001);
    });
    EXPECT_EQ(kEndedByOk, AboutTraces(trace)) << "Enter";
  }
}

// The values of version_texts.dll, a block like the program's own, hold letters that code
// page 932 cannot spell: a 932 text through the A calls would show them as "?".
TEST(AboutDialog, ShowsValuesNoCodePageSpellsExactly) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  path = path.substr(0, path.rfind(L'\\') + 1) + L"version_texts.dll";
  HMODULE texts = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, texts);
  AppHarness app;
  VersionInfo* own = nullptr;
  std::unique_ptr<VersionInfo> other;
  app.OnUiThread([&] {
    own = gVersionInfo;
    other = std::make_unique<VersionInfo>(texts);
    other->Load();
  });
  std::wstring name, version, legal;
  ShowAndEnd(app, [&](HWND dialog) {
    name = WideTextOf(GetDlgItem(dialog, IDC_PRODUCT_NAME));
    version = WideTextOf(GetDlgItem(dialog, IDC_PRODUCT_VERSION));
    legal = WideTextOf(GetDlgItem(dialog, IDC_LEGAL_NOTICE));
    PressButton(dialog, IDOK);
  });
  app.OnUiThread([&] {
    other.reset();
    gVersionInfo = own;
  });
  FreeLibrary(texts);
  // Outside the macros, which would spell each argument in 932 too.
  const std::wstring shown[] = {name, version, legal};
  const std::wstring stored[] = {L"타부네", L"1, 0, 0, 4 柯洁", L"© 2026 Orvenda, café"};
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(shown[i] == stored[i]) << i;
}
