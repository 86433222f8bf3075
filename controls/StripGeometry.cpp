#include "controls/StripGeometry.h"

#include <algorithm>
#include <cstdint>

bool StripFits(int frameWidth, int frameCount, geo::Size image) {
  if (frameWidth <= 0 || frameCount <= 0 || image.cy <= 0) return false;
  return std::int64_t{frameWidth} * frameCount <= image.cx;
}

std::optional<FrameCopy> PlanFrameCopy(int index, int frameWidth, int frameCount, geo::Size image, int width,
                                       int height) {
  if (index < 0 || index >= frameCount || frameWidth <= 0 || image.cy <= 0) return std::nullopt;
  const std::int64_t left = std::int64_t{index} * frameWidth;
  if (left + frameWidth > image.cx) return std::nullopt;
  const int x = static_cast<int>(left);
  const int w = std::min(width, image.cx - x), h = std::min(height, image.cy);
  if (w <= 0 || h <= 0) return std::nullopt;
  return FrameCopy{x, 0, w, h};
}
