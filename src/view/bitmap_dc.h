#pragma once
#include <windows.h>

#include "view/paint_scope.h"

// A bitmap resource of the program, loaded now and deleted at the end of the scope.
// Holds nullptr when the resource is missing.
class ResourceBitmap {
 public:
  ResourceBitmap(HINSTANCE instance, int id)
      : bitmap_(LoadBitmapA(instance, MAKEINTRESOURCEA(id))) {}
  ~ResourceBitmap() {
    if (bitmap_) DeleteObject(bitmap_);
  }
  ResourceBitmap(const ResourceBitmap&) = delete;
  ResourceBitmap& operator=(const ResourceBitmap&) = delete;

  HBITMAP Get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

// A memory DC compatible with another DC, deleted at the end of the scope.
class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A bitmap resource selected into a memory DC of its own for the length of one paint:
// the source of the tile, label and button blits. Nothing is kept between paints. At
// the end the old bitmap goes back, then the DC and the bitmap are deleted.
class BitmapDc {
 public:
  BitmapDc(HINSTANCE instance, int id, HDC like)
      : bitmap_(instance, id), dc_(like), selection_(dc_.Get(), bitmap_.Get()) {}

  HDC Get() const { return dc_.Get(); }

 private:
  ResourceBitmap bitmap_;
  MemoryDc dc_;
  SelectionScope selection_;
};
