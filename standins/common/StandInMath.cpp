#include "standins/common/StandInMath.h"

#include <algorithm>

#include "playback/PlaybackMath.h"

namespace {
constexpr std::int64_t kMediaUnits = 10'000'000;
}

std::int64_t MediaTimeFromMovieTime(std::int64_t value, std::int32_t scale) {
  if (scale <= 0) return 0;
  // Whole seconds and the rest apart, so that long movies in fine scales do not overflow.
  return value / scale * kMediaUnits + value % scale * kMediaUnits / scale;
}

std::int64_t MovieTimeFromMediaTime(std::int64_t media, std::int32_t scale) {
  if (scale <= 0) return 0;
  return media / kMediaUnits * scale + media % kMediaUnits * scale / kMediaUnits;
}

// The same scale as the program's own DirectShow volume, so that one volume setting sounds the same
// through every engine.
long CentibelsFromMovieVolume(int volume) {
  if (volume <= 0) return -10000;
  return DirectShowVolume(std::min(volume, 256) / 256.0);
}

long CentibelsFromControlVolume(int volume, bool mute) {
  if (mute || volume <= 0) return -10000;
  return DirectShowVolume(std::min(volume, 100) / 100.0);
}

double RateFromFixed(std::int32_t rate) { return static_cast<double>(rate) / 65536.0; }
