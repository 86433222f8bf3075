#pragma once
// What the screen shows: captures of a rectangle, kept for review beside the test logs, and a measure
// of how much picture there is in them.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Win32.h"

namespace e2e {

struct Capture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down
};

// What the screen shows in the rectangle.
Capture CaptureScreen(const RECT& r);
// Keeps the capture as a BMP in build/test-logs, for people to look at.
void SaveForReview(const Capture& c, const std::string& name);
// The number of colours in the area (every second pixel in both directions).
std::size_t DistinctColours(const Capture& c, const RECT& area);
// The share of sampled pixels that differ between two captures of the same size, 0…1.
double ChangedShare(const Capture& a, const Capture& b);

}  // namespace e2e
