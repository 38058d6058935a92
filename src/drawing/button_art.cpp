// The next-move toolbar's buttons at any size, from the recipe of the shipped sheet, whose
// measures are those of a 32-pixel button.
#include "drawing/button_art.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "drawing/disk_art.h"

namespace {

constexpr int kShippedSize = 32;

constexpr ArtColour kFaceUp{234, 231, 224};
constexpr ArtColour kFaceDown{196, 192, 184};
constexpr ArtColour kWoodDown{200, 162, 82};  // the board square in shadow when pressed
constexpr ArtColour kHighlight{255, 255, 255};
constexpr ArtColour kShadow{96, 92, 86};
constexpr ArtColour kInnerShadow{160, 156, 148};
constexpr ArtColour kSunkenInner{150, 146, 138};
constexpr ArtColour kSunkenLight{246, 244, 240};

struct ButtonStone {
  bool black;
  double centre;  // on the diagonal, x and y alike
  double diameter;
};

// Stones per button in 32-pixel measures; the first move of each pattern at the upper left.
const std::vector<ButtonStone> kButtonStones[] = {
    {{true, 11.0, 13.6}, {false, 21.0, 13.6}},
    {{false, 11.0, 13.6}, {true, 21.0, 13.6}},
    {{true, 8.5, 10.4}, {true, 16.0, 10.4}, {true, 23.5, 10.4}},
    {{false, 8.5, 10.4}, {false, 16.0, 10.4}, {false, 23.5, 10.4}},
};

// A frame of thickness t: the rows and columns k * t to (k + 1) * t in from each edge.
struct Frame {
  ArtImage& image;
  int size;
  int t;
  void Left(int k, int from, int to, ArtColour c) { image.Fill(k * t, from, (k + 1) * t, to, c); }
  void Top(int k, int from, int to, ArtColour c) { image.Fill(from, k * t, to, (k + 1) * t, c); }
  void Right(int k, int from, int to, ArtColour c) {
    image.Fill(size - (k + 1) * t, from, size - k * t, to, c);
  }
  void Bottom(int k, int from, int to, ArtColour c) {
    image.Fill(from, size - (k + 1) * t, to, size - k * t, c);
  }
};

ArtImage Button(int size, const std::vector<ButtonStone>& stones, bool pressed) {
  const double unit = static_cast<double>(size) / kShippedSize;
  // Lines one pixel wide at 32 pixels stay whole pixels at every size.
  const int t = std::max(1, static_cast<int>(std::lround(unit)));
  ArtImage image(size, size, pressed ? kFaceDown : kFaceUp);
  Frame frame{image, size, t};
  if (pressed) {
    // Sunken: a dark frame above and left, a thin light line below and right.
    frame.Left(0, 0, size, kShadow);
    frame.Top(0, 0, size, kShadow);
    frame.Left(1, t, size - t, kSunkenInner);
    frame.Top(1, t, size - t, kSunkenInner);
    frame.Bottom(0, t, size, kSunkenLight);
    frame.Right(0, t, size, kSunkenLight);
  } else {
    frame.Left(0, 0, size, kHighlight);
    frame.Top(0, 0, size, kHighlight);
    frame.Bottom(0, t, size, kShadow);
    frame.Right(0, 0, size, kShadow);
    frame.Bottom(1, 2 * t, size - t, kInnerShadow);
    frame.Right(1, 2 * t, size - t, kInnerShadow);
  }
  // The small board square; the picture moves down and right when pressed.
  const int shift = pressed ? t : 0;
  const int lo = static_cast<int>(std::lround(3 * unit)) + shift;
  const int hi = static_cast<int>(std::lround(28 * unit)) + shift;
  image.Fill(lo, lo, hi, hi, pressed ? kWoodDown : kWood);
  std::vector<Disk> disks;
  for (const ButtonStone& s : stones) {
    const double centre = s.centre * unit + shift;
    disks.push_back({s.black ? DiskLook::kBlackStone : DiskLook::kWhiteStone, centre, centre,
                     s.diameter * unit, {}});
  }
  return DiskLayer(size, size, disks, SamplesPerPixel(size, kShippedSize)).Over(image);
}

}  // namespace

ArtImage DrawButtonSheet(int size) {
  ArtImage sheet(4 * size, 2 * size, kFaceUp);
  for (int i = 0; i < 4; ++i) {
    sheet.Paste(Button(size, kButtonStones[i], false), i * size, 0);
    sheet.Paste(Button(size, kButtonStones[i], true), i * size, size);
  }
  return sheet;
}
