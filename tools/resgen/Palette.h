#pragma once
// The one 256-colour palette of every built-in strip, the quantiser that maps drawn canvases onto it,
// and the 8-bit BMP writer. The palette is fixed: ramps for the neutral greys, the slate of the switch
// bodies and each accent hue, a coarse colour cube for everything else, and the panels' colour key.

#include <array>
#include <string>
#include <vector>

#include "Canvas.h"

namespace resgen {

struct Rgb {
  unsigned char r, g, b;
};

inline constexpr int kKeyIndex = 255;

const std::array<Rgb, 256>& StripPalette();

struct IndexedImage {
  int width = 0, height = 0;
  std::vector<unsigned char> px;  // top-down rows
  IndexedImage(int w, int h) : width(w), height(h), px(static_cast<std::size_t>(w) * h, kKeyIndex) {}
  unsigned char At(int x, int y) const { return px[static_cast<std::size_t>(y) * width + x]; }
  unsigned char& At(int x, int y) { return px[static_cast<std::size_t>(y) * width + x]; }
};

// Pixels that are mostly see-through become the key; every other pixel takes the nearest palette colour
// other than the key, so no drawn pixel can ever turn see-through by accident.
IndexedImage Quantize(const Canvas& c);
void Paste(IndexedImage& dst, const IndexedImage& src, int x, int y);
// The image in its exact palette colours, with the key pixels replaced by keyShownAs when given.
Canvas ToCanvas(const IndexedImage& image, const Colour* keyShownAs = nullptr);
bool WriteBmp8(const IndexedImage& image, const std::string& path);

}  // namespace resgen
