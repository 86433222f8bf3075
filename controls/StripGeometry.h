#pragma once
// Where a frame of a bitmap strip lies, and how much of it a draw may copy. Win32-free.
//
// A strip is a row of equal-width frames; frame i starts at x = i × frame width, y = 0, and is as tall as
// the image. A copy is never allowed to read outside the image: the frame must lie within it, and the
// copy is cut to what the image has right and below of the frame's origin.

#include <optional>

#include "framework/Geometry.h"

struct FrameCopy {
  int sourceX, sourceY, width, height;
  friend constexpr bool operator==(const FrameCopy&, const FrameCopy&) = default;
};

// True when the image is wide enough for every frame (and the geometry makes sense at all).
bool StripFits(int frameWidth, int frameCount, geo::Size image);

// The copy for drawing width × height pixels of frame index; none when the index is outside the strip,
// the frame lies beyond the image, or nothing would be copied.
std::optional<FrameCopy> PlanFrameCopy(int index, int frameWidth, int frameCount, geo::Size image, int width,
                                       int height);
