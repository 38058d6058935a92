#pragma once

// The display scale as Windows gives it, in dots per inch: 96 is 100 %.
constexpr int kBaseDpi = 96;

// pixels96, a length in pixels at 96 DPI, at dpi, rounded to the nearest pixel (halves
// up). A dpi of 0 or less counts as 96.
int ScaledPixels(int pixels96, int dpi);
