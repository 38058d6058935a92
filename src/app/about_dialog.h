#pragma once
#include <windows.h>

// The modal version dialog; one object per showing.
class AboutDialog {
 public:
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

extern AboutDialog* gAboutDialog;

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
