#pragma once
#include <vector>

#include "drawing/art_image.h"

// How the samples inside a disk are coloured.
enum class DiskLook { kBlackStone, kWhiteStone, kFlat };

// One round thing to draw: a stone, or a dot of one colour. Centre and diameter are in
// pixels of the picture, which may be fractions.
struct Disk {
  DiskLook look;
  double centreX;
  double centreY;
  double diameter;
  ArtColour flat;  // the colour of a kFlat disk
};

// Disks over a picture of one size, drawn as the shipped pictures are: every pixel is
// n x n samples, a sample inside a disk takes the disk's colour at that place and any
// other sample the pixel's own, and the pixel becomes the mean of its samples, taken
// along each sample row and then down the rows, each rounded to a whole level. Untouched
// pixels stay exact. The disks are sampled once and laid over any number of pictures.
// Samples along each side of a pixel for a picture of size pixels whose recipe was made
// for pictures of recipeSize: 8, as the shipped pictures take, up to that size. Larger
// pictures keep two thirds as many samples across as the recipe's size has, already far
// finer than any eye at that pixel size, so that drawing them stays quick.
int SamplesPerPixel(int size, int recipeSize);

class DiskLayer {
 public:
  // samples is n, the samples along each side of a pixel.
  DiskLayer(int width, int height, const std::vector<Disk>& disks, int samples = 8);

  // base with the disks over it; base must be as large as the layer.
  ArtImage Over(const ArtImage& base) const;

 private:
  std::size_t SampleIndex(int sx, int sy) const {
    return static_cast<std::size_t>(sy) * width_ * samples_ + sx;
  }
  ArtColour MeanOfSamples(int x, int y, ArtColour base) const;

  int width_;
  int height_;
  int samples_;
  std::vector<ArtColour> colours_;     // the disk's colour at each sample inside one
  std::vector<unsigned char> inside_;  // whether each sample lies inside a disk
  std::vector<int> insideCount_;       // samples of each pixel inside a disk
  std::vector<ArtColour> covered_;     // the mean of each pixel that disks cover whole
};
