#pragma once
#include <windows.h>

// Puts the File menu's check mark of main-line reading where the setting stands.
void ShowMainLineCheck(HWND mainWindow);

// The command 「本譜だけを読む」: turns main-line reading on or off, remembers the choice,
// and reads the record shown again from its file. A variation placed by hand would be
// lost: the user is asked first, and a No changes nothing.
void ToggleMainLineOnly(int id);
