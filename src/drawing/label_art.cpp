// The row and column labels at any cell size, shrunk from masters drawn three times as
// large as the largest shipped strip.
#include "drawing/label_art.h"

#include <algorithm>

namespace {

std::uint32_t Read32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Follows the run-length codes into the rows of *mask, bottom row first. False when a code
// is cut off, or would write outside a row or below the last.
bool DecodeRuns(const std::uint8_t* p, const std::uint8_t* end, Coverage* mask) {
  int x = 0;
  int row = 0;  // counted from the bottom
  auto put = [&](std::uint8_t value) {
    if (x >= mask->width || row >= mask->height) return false;
    mask->values[static_cast<std::size_t>(mask->height - 1 - row) * mask->width + x++] = value;
    return true;
  };
  while (end - p >= 2) {
    const std::uint8_t count = *p++;
    const std::uint8_t value = *p++;
    if (count > 0) {
      for (int i = 0; i < count; ++i) {
        if (!put(value)) return false;
      }
    } else if (value == 0) {  // end of the row
      x = 0;
      ++row;
    } else if (value == 1) {  // end of the picture
      return true;
    } else if (value == 2) {  // a jump right and up; what it skips stays bare
      if (end - p < 2) return false;
      x += *p++;
      row += *p++;
    } else {  // value pixels as they are, padded to an even count
      if (end - p < value + (value & 1)) return false;
      for (int i = 0; i < value; ++i) {
        if (!put(p[i])) return false;
      }
      p += value + (value & 1);
    }
  }
  return false;
}

// How the pixels of a line of `from` pixels are shared out among `to` pixels (to <= from):
// target pixel j takes weight[j][i] of source pixel first[j] + i. In steps of
// 1 / (to * from), source pixel k covers [k * to, (k + 1) * to) and target pixel j covers
// [j * from, (j + 1) * from), so the weights of one target pixel add up to from.
struct Shares {
  std::vector<int> first;
  std::vector<std::vector<int>> weight;
};

Shares SharesOf(int from, int to) {
  Shares shares;
  for (int j = 0; j < to; ++j) {
    const long long lo = static_cast<long long>(j) * from;
    const long long hi = lo + from;
    std::vector<int> weights;
    for (long long k = lo / to; k < from && k * to < hi; ++k) {
      weights.push_back(static_cast<int>(std::min(hi, (k + 1) * to) - std::max(lo, k * to)));
    }
    shares.first.push_back(static_cast<int>(lo / to));
    shares.weight.push_back(std::move(weights));
  }
  return shares;
}

// The mask shrunk to width x height by the mean over the area each target pixel covers.
Coverage AreaShrink(const Coverage& mask, int width, int height) {
  const Shares across = SharesOf(mask.width, width);
  const Shares down = SharesOf(mask.height, height);
  // Across first, keeping the sums, then down: one rounding at the end.
  std::vector<long long> sums(static_cast<std::size_t>(width) * mask.height);
  for (int y = 0; y < mask.height; ++y) {
    const std::uint8_t* row = &mask.values[static_cast<std::size_t>(y) * mask.width];
    for (int j = 0; j < width; ++j) {
      long long sum = 0;
      const std::vector<int>& weights = across.weight[j];
      for (std::size_t i = 0; i < weights.size(); ++i) sum += weights[i] * row[across.first[j] + i];
      sums[static_cast<std::size_t>(y) * width + j] = sum;
    }
  }
  Coverage out;
  out.width = width;
  out.height = height;
  out.values.assign(static_cast<std::size_t>(width) * height, 0);
  const long long whole = static_cast<long long>(mask.width) * mask.height;
  std::vector<long long> line(width);
  for (int j = 0; j < height; ++j) {
    std::fill(line.begin(), line.end(), 0);
    const std::vector<int>& weights = down.weight[j];
    for (std::size_t i = 0; i < weights.size(); ++i) {
      const long long* source = &sums[(down.first[j] + i) * width];
      for (int x = 0; x < width; ++x) line[x] += weights[i] * source[x];
    }
    for (int x = 0; x < width; ++x) {
      out.values[static_cast<std::size_t>(j) * width + x] =
          static_cast<std::uint8_t>((line[x] + whole / 2) / whole);
    }
  }
  return out;
}

// Wood under ink of coverage m, rounded as the generator's compositing rounds.
std::uint8_t Blend(int wood, int ink, int m) {
  const int t = ink * m + wood * (255 - m) + 128;
  return static_cast<std::uint8_t>(((t >> 8) + t) >> 8);
}

// A strip of across x down cells of c pixels from a master of cells of masterCell pixels.
ArtImage DrawStrip(const Coverage& master, int masterCell, int across, int down, int c) {
  ArtImage strip(across * c, down * c, kWood);
  // A master that is missing or damaged decodes empty; it has no area to shrink.
  if (master.width <= 0 || master.height <= 0 ||
      master.values.size() != static_cast<std::size_t>(master.width) * master.height) {
    return strip;
  }
  const int label = std::min(c, masterCell);
  const Coverage shrunk = AreaShrink(master, across * label, down * label);
  const int inset = (c - label) / 2;
  for (int cy = 0; cy < down; ++cy) {
    for (int cx = 0; cx < across; ++cx) {
      for (int y = 0; y < label; ++y) {
        for (int x = 0; x < label; ++x) {
          const int m = shrunk.At(cx * label + x, cy * label + y);
          if (m == 0) continue;
          strip.At(cx * c + inset + x, cy * c + inset + y) =
              ArtColour{Blend(kWood.r, kLabelInk.r, m), Blend(kWood.g, kLabelInk.g, m),
                        Blend(kWood.b, kLabelInk.b, m)};
        }
      }
    }
  }
  return strip;
}

}  // namespace

bool DecodeRle8Mask(const std::uint8_t* resource, std::size_t size, Coverage* mask) {
  constexpr std::size_t kInfoSize = 40;
  constexpr std::uint32_t kRle8 = 1;
  if (resource == nullptr || size < kInfoSize || Read32(resource) != kInfoSize) return false;
  const auto width = static_cast<std::int32_t>(Read32(resource + 4));
  const auto height = static_cast<std::int32_t>(Read32(resource + 8));
  const int bits = resource[14] | (resource[15] << 8);
  const std::uint32_t compression = Read32(resource + 16);
  std::uint32_t colours = Read32(resource + 32);
  if (colours == 0) colours = 256;
  // Run-length bitmaps are stored bottom-up, so the height is positive.
  if (bits != 8 || compression != kRle8 || width <= 0 || height <= 0 || colours > 256 ||
      width > 65536 || height > 65536) {
    return false;
  }
  const std::size_t codes = kInfoSize + 4 * static_cast<std::size_t>(colours);
  if (codes > size) return false;
  Coverage decoded;
  decoded.width = width;
  decoded.height = height;
  decoded.values.assign(static_cast<std::size_t>(width) * height, 0);
  if (!DecodeRuns(resource + codes, resource + size, &decoded)) return false;
  *mask = std::move(decoded);
  return true;
}

ArtImage DrawColumnLabels(const Coverage& master, int masterCell, int c) {
  return DrawStrip(master, masterCell, 19, 1, c);
}

ArtImage DrawRowLabels(const Coverage& master, int masterCell, int c) {
  return DrawStrip(master, masterCell, 1, 20, c);
}
