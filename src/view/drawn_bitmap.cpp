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
  bits_ = static_cast<const RGBQUAD*>(bits);
  width_ = image.Width();
  height_ = image.Height();
  auto* pixel = static_cast<RGBQUAD*>(bits);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const ArtColour& c = image.At(x, y);
      *pixel++ = RGBQUAD{c.b, c.g, c.r, 0};
    }
  }
}

ArtImage DrawnBitmap::Pixels() const {
  ArtImage image(width_, height_, ArtColour{});
  // GDI may still hold drawing of its own for the bitmap.
  GdiFlush();
  const RGBQUAD* pixel = bits_;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x, ++pixel) {
      image.At(x, y) = ArtColour{pixel->rgbRed, pixel->rgbGreen, pixel->rgbBlue};
    }
  }
  return image;
}

void DrawnBitmap::Release() {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}
