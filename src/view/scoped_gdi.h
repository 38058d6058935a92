#pragma once
#include <windows.h>

// Small owners of the handles a paint needs, so that each paint handler reads as its
// steps and no early return can leak a DC or a bitmap. None of them is copyable.

// BeginPaint in the constructor, EndPaint in the destructor.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  // The paint DC, clipped to the update region.
  HDC Dc() const { return paint_.hdc; }
  // The bounding rectangle of the update region.
  const RECT& Update() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

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

// Selects a GDI object into a DC and selects the one it replaced back at the end.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() {
    if (old_) SelectObject(dc_, old_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A bitmap resource selected into its own memory DC for the length of the scope: the
// source of the tile and label blits. Releases in the order restore, delete DC, delete
// bitmap.
class BitmapDc {
 public:
  BitmapDc(HINSTANCE instance, int id, HDC like)
      : bitmap_(instance, id), dc_(like), selection_(dc_.Get(), bitmap_.Get()) {}

  HDC Get() const { return dc_.Get(); }

 private:
  ResourceBitmap bitmap_;
  MemoryDc dc_;
  Selection selection_;
};
