// TN.INI as the program reads it: the integer rule on any text, every CONFIG and POSITION key through
// the settings loader, and what is saved reads back the same.

#include <algorithm>
#include <charconv>
#include <climits>
#include <tuple>

#include "config/Settings.h"
#include "FuzzSupport.h"

namespace {

constexpr char kTitle[] = "Tarnvale 3.5P";

// The integer rule stated plainly: blanks, a sign, decimal digits; no digits or beyond 32 bits: fallback.
int ReferenceInt(std::string_view s, int fallback) {
  std::size_t i = s.find_first_not_of(" \t");
  if (i == std::string_view::npos) return fallback;
  const bool negative = s[i] == '-';
  if (s[i] == '-' || s[i] == '+') ++i;
  const std::size_t end = std::min(s.find_first_not_of("0123456789", i), s.size());
  if (end == i) return fallback;
  std::string_view digits = s.substr(i, end - i);
  digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size() - 1));
  if (digits.size() > 10) return fallback;
  long long value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (negative) value = -value;
  return value < INT_MIN || value > INT_MAX ? fallback : static_cast<int>(value);
}

void CheckIntegerRule(std::string_view text) {
  const std::string s(text);
  FUZZ_CHECK(ParseProfileInt(s, -1) == ReferenceInt(s, -1));
  FUZZ_CHECK(ParseProfileInt(s, 7) == ReferenceInt(s, 7));
}

struct TextKey {
  const char* key;
  std::string Settings::*field;
  bool lowered;
};

constexpr TextKey kTextKeys[] = {
    {"HOMEDIR", &Settings::homeDir, false},    {"TVDIR", &Settings::tvDir, false},
    {"EXT_VIDEO", &Settings::extVideo, true},  {"EXT_AUDIO", &Settings::extAudio, true},
    {"EXT_PICTURE", &Settings::extPicture, true}, {"EXT_OPEN", &Settings::extOpen, true},
    {"SKIN", &Settings::skin, false},
};

auto Fields(const Settings& s) {
  return std::tie(s.homeDir, s.tvDir, s.fullScreen, s.movieChangeScreenSize, s.pictChangeScreenSize,
                  s.disableScreenSaver, s.disableMonitor, s.extVideo, s.extAudio, s.extPicture, s.extOpen,
                  s.slideshowTime, s.cursorMode, s.fTime, s.rTime, s.topmost, s.playMode, s.singleLine,
                  s.doubleExec, s.skin);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The defaults must hold the program's code page 932 bytes ("標準"), not the sources' UTF-8.
  FUZZ_CHECK(DefaultSettings(kTitle).skin == "\x95\x57\x8F\x80");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::Text(data, size);
  CheckIntegerRule(text.substr(0, 64));

  fuzz::IniText ini(text);
  const Settings defaults = DefaultSettings(kTitle);
  const Settings s = LoadSettings(ini, kTitle);
  for (const TextKey& k : kTextKeys) {
    const std::string stored = ini.ReadString(kConfigSection, k.key, (defaults.*k.field).c_str());
    const std::string expected = k.lowered ? mbcs::LowerAscii(stored) : stored;
    FUZZ_CHECK(fuzz::IsCharacterCut(expected, s.*k.field, kMaxSettingText));
  }
  const int period = SlideshowPeriodMs(s);
  FUZZ_CHECK(period >= 1000 && period <= 86400 * 1000);
  for (int step : {SeekStepSeconds(s.fTime), SeekStepSeconds(s.rTime)}) FUZZ_CHECK(step >= 1 && step <= 86400);
  const double volume = LoadVolumeFraction(ini);
  FUZZ_CHECK(volume >= 0.0 && volume <= 1.0);
  const WindowPosition position = LoadWindowPosition(ini);
  const geo::Rect status = LoadStatusRect(ini);

  fuzz::IniText saved;
  SaveSettings(saved, s);
  SaveVolume(saved, volume);
  SaveWindowPosition(saved, position.rect, false);
  SaveStatusRect(saved, status);
  FUZZ_CHECK(Fields(LoadSettings(saved, kTitle)) == Fields(s));
  FUZZ_CHECK(LoadVolumeFraction(saved) == volume);
  const WindowPosition again = LoadWindowPosition(saved);
  FUZZ_CHECK(again.rect == position.rect && !again.fullScreen);
  FUZZ_CHECK(LoadStatusRect(saved) == status);
  return 0;
}
