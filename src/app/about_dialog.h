#pragma once
#include <windows.h>

// The modal version dialog; one object per showing.
class AboutDialog {
 public:
  // Keeps the module and the owner window; becomes gAboutDialog.
  AboutDialog(HINSTANCE instance, HWND owner);
  ~AboutDialog();

  // Runs the dialog; returns the id of the button that ended it (IDOK or IDCANCEL).
  int Show();
  // Fills the product name, version and legal notice fields.
  void OnInitDialog(HWND dialog);

 private:
  HINSTANCE instance_;
  HWND owner_;
};

// The dialog being shown, or nullptr.
extern AboutDialog* gAboutDialog;

// Fills the fields on WM_INITDIALOG; OK and Cancel end the dialog with their ids.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
