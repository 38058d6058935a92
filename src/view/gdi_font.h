#pragma once
#include <windows.h>

// A font made from a description, deleted when it is replaced or at the end of the scope.
class GdiFont {
 public:
  GdiFont() = default;
  ~GdiFont() { Release(); }
  GdiFont(const GdiFont&) = delete;
  GdiFont& operator=(const GdiFont&) = delete;

  // Makes the font anew; nullptr afterwards when Windows refused it.
  void Assign(const LOGFONTW& description) {
    Release();
    font_ = CreateFontIndirectW(&description);
  }
  HFONT Get() const { return font_; }

 private:
  void Release() {
    if (font_) DeleteObject(font_);
    font_ = nullptr;
  }

  HFONT font_ = nullptr;
};
