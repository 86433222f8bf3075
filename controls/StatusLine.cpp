#include "controls/StatusLine.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr long long kSecondsPerDay = 24 * 60 * 60;
constexpr double kVolumeStep = 0.05;

}  // namespace

int GlyphFrame(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  switch (c) {
    case ':':
      return 10;
    case ' ':
      return 11;
    case 'X':
      return 12;
    default:
      return -1;
  }
}

std::string SpeedText(int speed) {
  static const char* const kTexts[] = {"X2 ", "X4 ", "X8 ", "X16", "X32", "X64"};
  const bool known = speed != 0 && speed >= -6 && speed <= 6;
  const std::string text = known ? kTexts[(speed < 0 ? -speed : speed) - 1] : "   ";
  return text + ' ';
}

std::string ClockText(long long seconds) {
  const long long s = seconds > 0 ? seconds % kSecondsPerDay : 0;
  char text[16];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

std::string TimeText(long long current, long long total) {
  return ClockText(current) + "  " + ClockText(total) + "  ";
}

std::string PictureCounterText(int number, int count) {
  char text[48];
  std::snprintf(text, sizeof text, "     %03d   %03d      ", number, count);
  return text;
}

StatusLine ComposeStatusLine(const StatusInputs& in) {
  StatusLine line;
  if (!in.loaded) {
    line.indicator = INDICATOR_STOPPED;
  } else if (in.scanSpeed == 0) {
    line.indicator = in.paused ? INDICATOR_PAUSED : INDICATOR_PLAYING;
    line.playFace = in.paused ? PlayFace::kPlay : PlayFace::kPause;
  } else if (in.blink) {
    line.indicator = in.scanSpeed > 0 ? INDICATOR_SCAN_FORWARD : INDICATOR_SCAN_BACK;
  }
  line.speed = SpeedText(in.scanSpeed);

  if (!in.loaded) {
    line.time = std::string(kTimeGlyphs, ' ');
    line.positionSlider = SliderShow::kShow;
  } else if (KindClass(in.kind) == KIND_PICTURE) {
    // Only a picture played from the playlist has a place to show.
    if (in.playlistIndex >= 0) {
      line.time = PictureCounterText(in.playlistIndex + 1 - in.commandEntries, in.playlistCount - in.commandEntries);
      line.timeLit = true;
      line.positionSlider = SliderShow::kHide;
    }
  } else {
    line.time = TimeText(in.currentSeconds, in.totalSeconds);
    line.timeLit = true;
    line.positionSlider = SliderShow::kShow;
  }
  return line;
}

double VolumeStepUp(double volume) { return std::min(volume + kVolumeStep, 1.0); }

double VolumeStepDown(double volume) { return std::max(volume - kVolumeStep, 0.0); }

bool StatusMovesByItself(const StatusInputs& in) {
  return in.scanSpeed != 0 || (in.loaded && !in.paused && KindClass(in.kind) != KIND_PICTURE);
}
