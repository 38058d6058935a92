#pragma once
#include <cstdint>
#include <vector>

// One colour of the program's pictures.
struct ArtColour {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;
  bool operator==(const ArtColour& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const ArtColour& o) const { return !(*this == o); }
};

// The colours of the board and its labels, the same as the shipped pictures'.
constexpr ArtColour kWood{222, 182, 98};
constexpr ArtColour kGridLine{40, 30, 20};
constexpr ArtColour kLabelInk{48, 32, 18};

// A picture the program draws itself, width x height pixels, top row first. Plain
// memory, so that every size of the art is drawn and tested without a window system.
class ArtImage {
 public:
  ArtImage() = default;
  // A picture of one colour.
  ArtImage(int width, int height, ArtColour fill)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  ArtColour& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  const ArtColour& At(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
  }
  // Fills the pixels [left, right) x [top, bottom) that lie in the picture.
  void Fill(int left, int top, int right, int bottom, ArtColour colour);
  // Copies the whole of part with its top-left pixel at (x, y), clipped to the picture.
  void Paste(const ArtImage& part, int x, int y);
  // The part at (x, y), width x height, which must lie in the picture.
  ArtImage Crop(int x, int y, int width, int height) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<ArtColour> pixels_;
};
