#include "playback/PlaybackMath.h"

#include <algorithm>
#include <cmath>

geo::Rect FitOutputRect(int w, int h, bool keepAspect, long a, long b) {
  if (!keepAspect || a <= 0 || b <= 0) return {0, 0, w, h};
  const double r = static_cast<double>(a) / static_cast<double>(b);
  if (static_cast<double>(w) / static_cast<double>(h) >= r) {
    int fitted = static_cast<int>(h * r);
    return {w / 2 - fitted / 2, 0, w / 2 + fitted / 2, h};
  }
  int fitted = static_cast<int>(static_cast<double>(w) * static_cast<double>(b) / static_cast<double>(a));
  return {0, h / 2 - fitted / 2, w, h / 2 + fitted / 2};
}

long DirectShowVolume(double f) {
  if (!(f > 0.0)) return -10000;  // also NaN
  f = std::min(f, 1.0);
  long t = static_cast<long>(-10000.0 * std::log10(100.0 * f) / std::log10(100.0));
  return std::clamp(-10000L - t, -10000L, 0L);
}

int PositionSeconds(std::int64_t position, std::int64_t units) {
  return units > 0 ? static_cast<int>(position / units) : 0;
}

double PositionFraction(std::int64_t position, std::int64_t latest, std::int64_t units) {
  if (units <= 0 || latest <= 0) return 0.0;
  double f = (static_cast<double>(position) / static_cast<double>(units)) /
             (static_cast<double>(latest) / static_cast<double>(units));
  return std::clamp(f, 0.0, 1.0);
}

std::int64_t SeekTarget(std::int64_t position, int seconds, std::int64_t units, std::int64_t earliest,
                        std::int64_t latest) {
  std::int64_t target = position + static_cast<std::int64_t>(seconds) * units;
  return std::clamp(target, earliest, std::max(earliest, latest));
}

std::int64_t FractionTarget(double fraction, std::int64_t earliest, std::int64_t latest) {
  double f = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
  auto target = static_cast<std::int64_t>(static_cast<double>(latest) * f);
  return std::clamp(target, earliest, std::max(earliest, latest));
}

RealControlVolume RealVolumeFor(unsigned left, unsigned right, double fraction) {
  const double f = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
  const double sum = static_cast<double>(std::min(left, 65535u)) + static_cast<double>(std::min(right, 65535u));
  const int level = static_cast<int>(sum * f * 51.0 / 65535.0);
  if (level == 0) return {true, 0};
  if (level == 1) return {false, 0};
  return {false, static_cast<short>(level - 2)};
}
