#include "view/drawn_bitmap.h"

void DrawnBitmap::Assign(const ArtImage& image) {
  Release();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.Width();
  info.bmiHeader.biHeight = -image.Height();  // top row first, as the picture holds it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_ || !bits) return;
  auto* pixel = static_cast<RGBQUAD*>(bits);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const ArtColour& c = image.At(x, y);
      *pixel++ = RGBQUAD{c.b, c.g, c.r, 0};
    }
  }
}

void DrawnBitmap::Release() {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
}
