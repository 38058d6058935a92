#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app_harness.h"

// The texts that Frame's handlers traced, in order (the windows' paints left out).
std::vector<std::string> FrameTraces(const TraceRecorder& trace);

// The tests' texts are compiled in code page 932 (-fexec-charset), and the program's are
// read in UTF-16 and given back in 932, so that they compare alike under every code page:
// the hosted Windows images run in 1252.
std::string Cp932Of(const wchar_t* text);
// The label of the menu's entry at position.
std::string MenuLabel(HMENU menu, int position);
// Labels of the checked entries of the menu bar's pop-up at position, in menu order.
std::vector<std::string> CheckedLabels(HWND main, int position);

// The cell size in pixels that a view size id stands for, written out independently.
int ExpectedCell(int viewSize);

// Writes the three stored settings before a run.
void StoreSettings(DWORD left, DWORD top, DWORD viewSize);

// The client area's size of window.
SIZE ClientSize(HWND window);
// The window's outer rectangle on the screen.
RECT ScreenRect(HWND window);

// Waits for a dialog or message box of the program's thread; nullptr after the timeout.
HWND WaitForDialog(const AppHarness& app, int timeoutMs = 15000);
// Waits until no dialog of the program's thread is shown; true when it went.
bool WaitForNoDialog(const AppHarness& app, int timeoutMs = 15000);
// The window's text, in code page 932.
std::string TextOf(HWND window);
// The text of the first static control of a message box that is not empty.
std::string MessageBoxText(HWND box);
// Clicks a push button of a dialog by its id, as the dialog manager would report it.
void PressButton(HWND dialog, int id);

// The file-name box of a common Open or Save As dialog (the edit inside it), or nullptr.
HWND FileNameBox(HWND dialog);
// Types name (in the code page, or UTF-16) into the file dialog's name box and presses
// its OK button.
void ChooseFile(HWND dialog, const std::string& name);
void ChooseFile(HWND dialog, const std::wstring& name);

// A record file in a fresh temp folder with the given SGF text; its full path.
std::string MakeRecordFile(const std::string& hint, const std::string& sgf);
