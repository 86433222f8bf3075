#pragma once
// What the screen shows: captures of a rectangle, kept for review beside the test logs, read back as a
// picture viewer reads them, and measures of what is drawn in them.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Win32.h"

class CSkinBitmap;

namespace e2e {

// A pixel a viewer would not show: what a saved picture leaves see-through.
constexpr std::uint32_t kSeeThrough = 0xFF000000;

struct Capture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down; kSeeThrough where nothing shows
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// What the screen shows in the rectangle.
Capture CaptureScreen(const RECT& r);
// Keeps the capture as an opaque picture (BMP) in build/test-logs, for people to look at; the test
// command makes the README's PNGs of these files.
void SaveForReview(const Capture& c, const std::string& name);
// A picture kept for review, as a viewer shows it: a 32-bit file's fourth byte is its opacity, and
// every pixel that is not wholly opaque comes back as kSeeThrough.
Capture LoadReview(const std::string& name);
// The number of colours in the area (every second pixel in both directions).
std::size_t DistinctColours(const Capture& c, const RECT& area);
// The share of sampled pixels that differ between two captures of the same size, 0…1.
double ChangedShare(const Capture& a, const Capture& b);
// The share of the face's pixels (frame `frame` of the strip, its key-colour pixels left out) that the
// picture shows at (x, y), each channel within a small tolerance; 0 when the face lies outside.
double FaceMatch(const Capture& c, int x, int y, CSkinBitmap& strip, int frame);
// Whether the area shows text drawn on a plain ground: some dark pixels (ink) on mostly `paper`.
bool ShowsTextOn(const Capture& c, const RECT& area, COLORREF paper);

}  // namespace e2e
