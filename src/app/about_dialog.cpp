#include "app/about_dialog.h"

#include "app/version_info.h"
#include "resource.h"

AboutDialog* gAboutDialog = nullptr;

AboutDialog::AboutDialog(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {
  gAboutDialog = this;
}

AboutDialog::~AboutDialog() {
  if (gAboutDialog == this) gAboutDialog = nullptr;
}

int AboutDialog::Show() {
  // A UTF-16 dialog, so that the template's Japanese title and labels read the same under
  // every code page.
  INT_PTR result =
      DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_VERSION), owner_, AboutDialogProc, 0);
  return LOWORD(result);
}

void AboutDialog::OnInitDialog(HWND dialog) {
  auto setText = [dialog](int id, const wchar_t* text) {
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  };
  setText(IDC_PRODUCT_NAME, gVersionInfo->ProductName());
  setText(IDC_PRODUCT_VERSION, gVersionInfo->ProductVersion());
  setText(IDC_LEGAL_NOTICE, gVersionInfo->LegalCopyright());
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      gAboutDialog->OnInitDialog(dialog);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id != IDOK && id != IDCANCEL) return FALSE;
      EndDialog(dialog, id);
      return TRUE;
    }
    default:
      return FALSE;
  }
}
