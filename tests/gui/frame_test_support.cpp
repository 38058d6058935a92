#include "frame_test_support.h"

#include <commctrl.h>

#include "resource.h"

std::vector<std::string> FrameTraces(const TraceRecorder& trace) {
  std::vector<std::string> frame;
  for (const std::string& text : trace.Texts()) {
    if (text.rfind("Frame::", 0) == 0 && text != "Frame::OnPaint()\n") frame.push_back(text);
  }
  return frame;
}

std::string Cp932Of(const wchar_t* text) {
  char bytes[1024] = {};
  // No best fit: a character outside 932 comes back as '?', never as a look-alike.
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text, -1, bytes, sizeof bytes, nullptr, nullptr);
  return bytes;
}

std::string MenuLabel(HMENU menu, int position) {
  wchar_t label[100] = {};
  GetMenuStringW(menu, position, label, 100, MF_BYPOSITION);
  return Cp932Of(label);
}

std::vector<std::string> CheckedLabels(HWND main, int position) {
  HMENU popup = GetSubMenu(GetMenu(main), position);
  std::vector<std::string> labels;
  for (int i = 0; i < GetMenuItemCount(popup); ++i) {
    if (!(GetMenuState(popup, i, MF_BYPOSITION) & MF_CHECKED)) continue;
    labels.push_back(MenuLabel(popup, i));
  }
  return labels;
}

int ExpectedCell(int viewSize) {
  switch (viewSize) {
    case ID_VIEW_LARGE_VERY: return 48;
    case ID_VIEW_LARGE: return 40;
    case ID_VIEW_MIDDLE: return 32;
    case ID_VIEW_SMALL: return 24;
    case ID_VIEW_SMALL_VERY: return 16;
    default: return 0;
  }
}

void StoreSettings(DWORD left, DWORD top, DWORD viewSize) {
  DeleteSettingsKey();
  WriteSettingDword("WindowLeft", left);
  WriteSettingDword("WindowTop", top);
  WriteSettingDword("WindowSize", viewSize);
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right - client.left, client.bottom - client.top};
}

RECT ScreenRect(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  return outer;
}

HWND WaitForDialog(const AppHarness& app, int timeoutMs) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindDialogOf(app.ThreadId())) != nullptr; }, timeoutMs);
  return found;
}

bool WaitForNoDialog(const AppHarness& app, int timeoutMs) {
  return WaitFor([&] { return FindDialogOf(app.ThreadId()) == nullptr; }, timeoutMs);
}

std::string TextOf(HWND window) {
  wchar_t text[1024] = {};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return Cp932Of(text);
}

std::string MessageBoxText(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && !TextOf(child).empty()) return TextOf(child);
  }
  return "";
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

namespace {

// Ids of the name box in the system's file dialog templates: cmb13 and edt1.
constexpr int kNameCombo = 1148;
constexpr int kNameEdit = 1152;

struct ChildSearch {
  int id;
  HWND found;
};

HWND DescendantWithId(HWND dialog, int id) {
  ChildSearch search{id, nullptr};
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<ChildSearch*>(param);
        if (GetDlgCtrlID(child) != s->id) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HWND FileNameBox(HWND dialog) {
  for (int id : {kNameCombo, kNameEdit}) {
    HWND box = DescendantWithId(dialog, id);
    if (!box) continue;
    char cls[32] = {};
    GetClassNameA(box, cls, sizeof cls);
    if (lstrcmpiA(cls, "Edit") == 0) return box;
    HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
    if (!edit) {
      HWND inner = FindWindowExA(box, nullptr, "ComboBox", nullptr);
      if (inner) edit = FindWindowExA(inner, nullptr, "Edit", nullptr);
    }
    if (edit) return edit;
  }
  return nullptr;
}

void ChooseFile(HWND dialog, const std::string& name) {
  SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  PressButton(dialog, IDOK);
}

void ChooseFile(HWND dialog, const std::wstring& name) {
  SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  PressButton(dialog, IDOK);
}

std::string MakeRecordFile(const std::string& hint, const std::string& sgf) {
  std::string path = MakeTempFolder(hint) + "\\" + hint + ".sgf";
  WriteFileBytes(path, sgf);
  return path;
}
