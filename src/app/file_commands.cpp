#include <windows.h>
#include <commdlg.h>

#include "app/frame.h"
#include "app/record_display.h"
#include "platform/trace.h"
#include "platform/utf16.h"
#include "record/game_record.h"

namespace {

// Display text and pattern alternate; the literal's own terminator ends the list.
constexpr wchar_t kOpenFilter[] =
    L"Smart Game Format (*.sgf)\0*.sgf\0Panda Net Format (*.ugf)\0*.ugf\0";
constexpr wchar_t kSaveFilter[] = L"Smart Game Format (*.sgf)\0*.sgf\0";
constexpr wchar_t kDefaultExtension[] = L"sgf";
// The Open dialog gets the same room as the save path: a full path longer than 100
// characters is common, and a shorter buffer makes the dialog refuse it silently.
constexpr int kOpenNameCapacity = 1000;

// The UTF-16 dialogs give every name exactly, whatever the system's code page.
OPENFILENAMEW DialogSettings(HWND owner, HINSTANCE instance, const wchar_t* filter,
                             wchar_t* name, DWORD capacity, DWORD flags) {
  OPENFILENAMEW dialog{};
  // The size without the fields added in Windows 2000, as the program has always asked.
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  dialog.hwndOwner = owner;
  dialog.hInstance = instance;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name;
  dialog.nMaxFile = capacity;
  dialog.Flags = flags;
  dialog.lpstrDefExt = kDefaultExtension;
  return dialog;
}

}  // namespace

void Frame::OnCommandFileOpen() {
  platform::Trace("Frame::OnCommandFileOpen()\n");
  wchar_t name[kOpenNameCapacity] = {};
  OPENFILENAMEW dialog = DialogSettings(mainWindow_, instance_, kOpenFilter, name,
                                        kOpenNameCapacity, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
  if (!GetOpenFileNameW(&dialog)) return;  // cancelled or failed: nothing changes
  LoadRecord(platform::Utf8Of(name).c_str());
  ForgetSaveTarget();
  ShowWholeRecord();
}

void Frame::OnCommandFileSave() {
  platform::Trace("Frame::OnCommandFileSave()\n");
  // A save path chosen for another record is never written over without the dialog's
  // question.
  if (!saveTargetChosen_) {
    OnCommandFileSaveAs();
    return;
  }
  gGameRecord->WriteSgf(platform::Utf8Of(savePath_).c_str());
}

void Frame::OnCommandFileSaveAs() {
  platform::Trace("Frame::OnCommandFileSaveAs()\n");
  // The dialog proposes the name of this run's last Save As. It works on a copy: a failed
  // dialog may write into its buffer, and a cancelled one must leave the save path as it was.
  wchar_t chosen[kSavePathCapacity];
  lstrcpynW(chosen, savePath_, kSavePathCapacity);
  OPENFILENAMEW dialog = DialogSettings(mainWindow_, instance_, kSaveFilter, chosen,
                                        kSavePathCapacity, OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT);
  if (!GetSaveFileNameW(&dialog)) return;
  lstrcpynW(savePath_, chosen, kSavePathCapacity);
  saveTargetChosen_ = true;
  gGameRecord->WriteSgf(platform::Utf8Of(savePath_).c_str());
}
