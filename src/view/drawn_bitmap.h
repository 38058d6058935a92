#pragma once
#include <windows.h>

#include "drawing/art_image.h"

// A picture the program drew itself, held as a DIB section from the moment it is drawn
// until it is replaced or this object ends. The sizes the program ships no bitmap of are
// drawn once, not at every paint: drawing takes far longer than a paint may.
class DrawnBitmap {
 public:
  DrawnBitmap() = default;
  ~DrawnBitmap() { Release(); }
  DrawnBitmap(const DrawnBitmap&) = delete;
  DrawnBitmap& operator=(const DrawnBitmap&) = delete;

  // Replaces the bitmap with image; nullptr afterwards when Windows refused it.
  void Assign(const ArtImage& image);
  // The bitmap, or nullptr before Assign.
  HBITMAP Get() const { return bitmap_; }
  // The picture as it stands, with whatever was drawn into the bitmap since Assign.
  ArtImage Pixels() const;

 private:
  void Release();

  HBITMAP bitmap_ = nullptr;
  const RGBQUAD* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};
