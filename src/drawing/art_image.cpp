#include "drawing/art_image.h"

#include <algorithm>

void ArtImage::Fill(int left, int top, int right, int bottom, ArtColour colour) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) At(x, y) = colour;
  }
}

void ArtImage::Paste(const ArtImage& part, int x, int y) {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + part.width_, width_);
  const int bottom = std::min(y + part.height_, height_);
  for (int row = top; row < bottom; ++row) {
    for (int column = left; column < right; ++column) At(column, row) = part.At(column - x, row - y);
  }
}

ArtImage ArtImage::Crop(int x, int y, int width, int height) const {
  ArtImage part(width, height, ArtColour{});
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) part.At(column, row) = At(x + column, y + row);
  }
  return part;
}
