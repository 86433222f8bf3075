#pragma once
// Arithmetic of the player: where the picture or video goes in the view, the DirectShow volume scale,
// positions as seconds and fractions, and seek targets. Win32-free.

#include <cstdint>

#include "framework/Geometry.h"

// The output rectangle in a client area of width × height for a picture or video of natural size
// naturalW × naturalH. With keepAspect the picture is fitted and centred (bands above and below, or left
// and right); otherwise, and when the natural size is unknown (zero or negative), it fills the client.
geo::Rect FitOutputRect(int width, int height, bool keepAspect, long naturalW, long naturalH);

// IBasicAudio volume in hundredths of a decibel for a fraction 0…1: 0 at 1, -10000 (silence) at 0, on a
// logarithmic scale between. Fractions below 0.01 would fall under -10000, which DirectShow refuses and
// which would leave the volume where it was; they give silence instead.
long DirectShowVolume(double fraction);

// Whole seconds of a position; 0 when the unit is unknown.
int PositionSeconds(std::int64_t position, std::int64_t unitsPerSecond);

// How far the position is through the entry, 0…1; 0 when the length is unknown or zero.
double PositionFraction(std::int64_t position, std::int64_t latest, std::int64_t unitsPerSecond);

// position + seconds × unitsPerSecond, kept within [earliest, latest].
std::int64_t SeekTarget(std::int64_t position, int seconds, std::int64_t unitsPerSecond, std::int64_t earliest,
                        std::int64_t latest);

// The integer part of latest × fraction, kept within [earliest, latest].
std::int64_t FractionTarget(double fraction, std::int64_t earliest, std::int64_t latest);

// What the RealPlayer control is given for the view's volume fraction 0…1: a level from the wave-out
// volume of both channels (each 0…65535) read when the control was made, 0…102 for full wave volume and
// fraction 1; level 0 mutes, level 1 is volume 0 unmuted, otherwise the volume is level − 2 (0…100).
struct RealControlVolume {
  bool mute;
  short volume;
};
RealControlVolume RealVolumeFor(unsigned left, unsigned right, double fraction);
