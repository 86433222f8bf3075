#pragma once
// Arithmetic of the stand-in components: QuickTime times and the DirectShow media time, and the
// volumes of both components on DirectShow's scale. Win32-free.

#include <cstdint>

// A time value in a movie time scale as DirectShow media time (100 ns units); 0 for a scale of 0 or less.
std::int64_t MediaTimeFromMovieTime(std::int64_t value, std::int32_t scale);
// Media time as a time value in the scale (rounded toward zero); 0 for a scale of 0 or less.
std::int64_t MovieTimeFromMediaTime(std::int64_t media, std::int32_t scale);
// QuickTime's 8.8 fixed-point volume (256 full, 0 or negative silent) in hundredths of a decibel.
long CentibelsFromMovieVolume(int volume);
// The RealPlayer control's volume 0…100 and mute in hundredths of a decibel.
long CentibelsFromControlVolume(int volume, bool mute);
// A 16.16 fixed-point rate as a number (0x10000 is 1.0).
double RateFromFixed(std::int32_t rate);
