// Stones and dots, sampled as the bitmap generator samples them, so that a size drawn here
// looks like the shipped sizes.
#include "drawing/disk_art.h"

#include <algorithm>
#include <cmath>

namespace {

// A shaded level rounded as the generator rounds it: to the nearest, halves to even. By
// hand: the C library's nearbyint costs twenty times as much on Windows.
unsigned char Level(double v) {
  v = std::min(255.0, std::max(0.0, v));
  int level = static_cast<int>(v + 0.5);
  if (level - v == 0.5 && (level & 1)) --level;
  return static_cast<unsigned char>(level);
}

double Pow(double base, int exponent) {
  double result = 1.0;
  for (; exponent > 0; exponent >>= 1) {
    if (exponent & 1) result *= base;
    base *= base;
  }
  return result;
}

// A stone's colour at (nx, ny) of the unit disk, y pointing down: a flattened lens lit
// from the upper left and slightly in front, the way a lamp over the board shows it.
ArtColour StoneColour(bool black, double nx, double ny) {
  const double r2 = nx * nx + ny * ny;
  double nz = std::sqrt(std::max(0.0, 1.0 - r2)) * 1.6 + 0.25;
  const double n = std::sqrt(nx * nx + ny * ny + nz * nz);
  nx /= n;
  ny /= n;
  nz /= n;
  const double lx = -0.45, ly = -0.55, lz = 0.70;
  const double ln = std::sqrt(lx * lx + ly * ly + lz * lz);
  const double diffuse = std::max(0.0, (nx * lx + ny * ly + nz * lz) / ln);
  // Half vector between the light and the viewer (0, 0, 1).
  const double hx = lx / ln, hy = ly / ln, hz = lz / ln + 1.0;
  const double hn = std::sqrt(hx * hx + hy * hy + hz * hz);
  const double shine = std::max(0.0, (nx * hx + ny * hy + nz * hz) / hn);
  if (black) {
    // Slate: matte, a broad soft sheen toward the light.
    const double v = 14 + 40 * Pow(shine, 10) + 62 * Pow(shine, 60) + 10 * diffuse;
    return ArtColour{Level(v), Level(v), Level(v * 1.04 + 2)};
  }
  // Shell: bright, falling to a cool grey on the side away from the light, with a faint
  // outline so that white reads on light wood.
  // diffuse to the power 0.6, by exp and log: half the cost of pow on Windows.
  const double soft = diffuse > 0 ? std::exp(0.6 * std::log(diffuse)) : 0.0;
  double v = 150 + 95 * soft + 12 * Pow(shine, 40);
  const double edge = std::min(1.0, std::max(0.0, (std::sqrt(r2) - 0.90) / 0.10));
  v *= 1 - 0.18 * edge;
  return ArtColour{Level(v), Level(v * 0.995), Level(v * 0.965)};
}

// Marks and colours the samples inside disk.
void SampleDisk(const Disk& disk, int samplesWide, int samplesHigh, int samples,
                std::vector<ArtColour>* colours, std::vector<unsigned char>* inside) {
  double r = disk.diameter / 2 * samples;
  double cx = disk.centreX * samples;
  double cy = disk.centreY * samples;
  if (disk.look == DiskLook::kFlat) {
    // A dot is drawn as the generator's ellipse: its box cut to whole samples.
    const double left = std::trunc(cx - r);
    const double top = std::trunc(cy - r);
    const double right = std::trunc(cx + r - 1) + 1;
    const double bottom = std::trunc(cy + r - 1) + 1;
    cx = (left + right) / 2;
    cy = (top + bottom) / 2;
    r = (right - left) / 2;
  }
  const int x0 = std::max(0, static_cast<int>(cx - r) - 1);
  const int x1 = std::min(samplesWide, static_cast<int>(cx + r) + 2);
  const int y0 = std::max(0, static_cast<int>(cy - r) - 1);
  const int y1 = std::min(samplesHigh, static_cast<int>(cy + r) + 2);
  for (int y = y0; y < y1; ++y) {
    const double ny = (y + 0.5 - cy) / r;
    for (int x = x0; x < x1; ++x) {
      const double nx = (x + 0.5 - cx) / r;
      if (nx * nx + ny * ny > 1.0) continue;
      const std::size_t i = static_cast<std::size_t>(y) * samplesWide + x;
      (*inside)[i] = 1;
      (*colours)[i] = disk.look == DiskLook::kFlat
                          ? disk.flat
                          : StoneColour(disk.look == DiskLook::kBlackStone, nx, ny);
    }
  }
}

}  // namespace

int SamplesPerPixel(int size, int recipeSize) {
  constexpr int kRecipeSamples = 8;
  if (size <= recipeSize) return kRecipeSamples;
  const int across = 2 * kRecipeSamples * recipeSize / 3;
  return std::max(2, (across + size - 1) / size);
}

DiskLayer::DiskLayer(int width, int height, const std::vector<Disk>& disks, int samples)
    : width_(width), height_(height), samples_(samples) {
  const std::size_t count = static_cast<std::size_t>(width) * height * samples * samples;
  colours_.assign(count, ArtColour{});
  inside_.assign(count, 0);
  for (const Disk& disk : disks) {
    SampleDisk(disk, width * samples, height * samples, samples, &colours_, &inside_);
  }
  insideCount_.assign(static_cast<std::size_t>(width) * height, 0);
  covered_.assign(insideCount_.size(), ArtColour{});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int n = 0;
      for (int sy = y * samples_; sy < (y + 1) * samples_; ++sy) {
        for (int sx = x * samples_; sx < (x + 1) * samples_; ++sx) n += inside_[SampleIndex(sx, sy)];
      }
      const std::size_t p = static_cast<std::size_t>(y) * width + x;
      insideCount_[p] = n;
      if (n == samples_ * samples_) covered_[p] = MeanOfSamples(x, y, ArtColour{});
    }
  }
}

ArtColour DiskLayer::MeanOfSamples(int x, int y, ArtColour base) const {
  // Rounding after each pass, as the generator's box filter does: half a level up.
  int sums[3] = {0, 0, 0};
  for (int sy = y * samples_; sy < (y + 1) * samples_; ++sy) {
    int row[3] = {0, 0, 0};
    for (int sx = x * samples_; sx < (x + 1) * samples_; ++sx) {
      const std::size_t i = SampleIndex(sx, sy);
      const ArtColour& c = inside_[i] ? colours_[i] : base;
      row[0] += c.r;
      row[1] += c.g;
      row[2] += c.b;
    }
    for (int k = 0; k < 3; ++k) sums[k] += (row[k] + samples_ / 2) / samples_;
  }
  auto mean = [this](int sum) { return static_cast<unsigned char>((sum + samples_ / 2) / samples_); };
  return ArtColour{mean(sums[0]), mean(sums[1]), mean(sums[2])};
}

ArtImage DiskLayer::Over(const ArtImage& base) const {
  ArtImage out = base;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const std::size_t p = static_cast<std::size_t>(y) * width_ + x;
      const int n = insideCount_[p];
      if (n == 0) continue;
      out.At(x, y) = n == samples_ * samples_ ? covered_[p] : MeanOfSamples(x, y, base.At(x, y));
    }
  }
  return out;
}
