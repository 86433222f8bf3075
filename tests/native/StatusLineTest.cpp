// The control panel's status line and volume without windows: glyph frames, the speed, time and picture
// texts, what each playback state shows, the volume keys over the slider's 57 places and the values
// TN.INI gets, and the stored panel place.
#include "controls/StatusLine.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "config/Settings.h"
#include "controls/PanelLayout.h"
#include "controls/SliderModel.h"
#include "controls/VolumeMute.h"

namespace {

class MemoryProfile : public Profile {
 public:
  std::map<std::string, std::string> keys;
  std::string ReadString(const char* section, const char* key, const char* fallback) override {
    auto it = keys.find(std::string(section) + "/" + key);
    return it == keys.end() ? fallback : it->second;
  }
  bool WriteString(const char* section, const char* key, const char* value) override {
    keys[std::string(section) + "/" + key] = value;
    return true;
  }
};

class NoHost : public SliderHost {
  void Redraw() override {}
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  void ShowSlider(bool) override {}
};

// The control panel's volume slider: 88 × 16 with its speaker icon, 56 pixels of travel.
struct VolumeSlider {
  SliderModel model;
  NoHost host;
  VolumeSlider() { model.Setup(88, 16, false, false, true); }
  int K() const { return model.Thumb() - 16; }
  void SetK(int k) { model.SetFraction(k / 56.0, host); }
};

bool OnlyGlyphs(const std::string& text) {
  for (char c : text)
    if (GlyphFrame(c) < 0) return false;
  return true;
}

}  // namespace

TEST(StatusLine, EveryCharacterOfTheDigitStripHasItsFrame) {
  const std::string strip = "0123456789: X";
  for (std::size_t i = 0; i < strip.size(); ++i) EXPECT_EQ(GlyphFrame(strip[i]), static_cast<int>(i)) << strip[i];
  for (char c : {'x', 'A', '-', '.', '\0', '\\', static_cast<char>(0x82)}) EXPECT_EQ(GlyphFrame(c), -1) << int(c);
}

TEST(StatusLine, SpeedTextsByScanSpeed) {
  struct Case {
    int speed;
    const char* text;
  } const cases[] = {
      {0, "    "},  {1, "X2  "},  {-1, "X2  "},  {2, "X4  "},  {-3, "X8  "},  {3, "X8  "},   {4, "X16 "},
      {-5, "X32 "}, {6, "X64 "},  {-6, "X64 "},  {7, "    "},  {-7, "    "},  {INT_MIN, "    "}, {INT_MAX, "    "},
  };
  for (const Case& c : cases) EXPECT_EQ(SpeedText(c.speed), c.text) << c.speed;
}

TEST(StatusLine, TimesAreHoursMinutesSecondsModulo24Hours) {
  struct Case {
    long long seconds;
    const char* text;
  } const cases[] = {
      {0, "00:00:00"},      {59, "00:00:59"},        {3725, "01:02:05"}, {7384, "02:03:04"},
      {86399, "23:59:59"},  {86400, "00:00:00"},     {90061, "01:01:01"}, {-1, "00:00:00"},
      {LLONG_MIN, "00:00:00"}, {LLONG_MAX, "15:30:07"},
  };
  for (const Case& c : cases) EXPECT_EQ(ClockText(c.seconds), c.text) << c.seconds;
  EXPECT_EQ(TimeText(3725, 7384), "01:02:05  02:03:04  ");
  EXPECT_EQ(TimeText(3725, 7384).size(), static_cast<std::size_t>(kTimeGlyphs));
  // The third picture of twelve.
  EXPECT_EQ(PictureCounterText(3, 12), "     003   012      ");
  EXPECT_EQ(PictureCounterText(3, 12).size(), static_cast<std::size_t>(kTimeGlyphs));
  EXPECT_EQ(PictureCounterText(1000, 1234), "     1000   1234      ");
}

TEST(StatusLine, WhatEachPlaybackStateShows) {
  auto with = [](auto change) {
    StatusInputs in;
    in.loaded = true;
    in.kind = KIND_VIDEO;
    in.currentSeconds = 3725;
    in.totalSeconds = 7384;
    change(in);
    return ComposeStatusLine(in);
  };
  struct Case {
    const char* name;
    StatusLine line;
    int indicator;
    PlayFace face;
    const char* speed;
    const char* time;
    bool lit;
    SliderShow slider;
  } const cases[] = {
      {"nothing open", with([](StatusInputs& in) { in.loaded = false; }), INDICATOR_STOPPED, PlayFace::kPlay, "    ",
       "                    ", false, SliderShow::kShow},
      {"playing", with([](StatusInputs&) {}), INDICATOR_PLAYING, PlayFace::kPause, "    ", "01:02:05  02:03:04  ",
       true, SliderShow::kShow},
      {"paused", with([](StatusInputs& in) { in.paused = true; }), INDICATOR_PAUSED, PlayFace::kPlay, "    ",
       "01:02:05  02:03:04  ", true, SliderShow::kShow},
      {"scanning back, lit", with([](StatusInputs& in) { in.scanSpeed = -3; in.blink = true; }), INDICATOR_SCAN_BACK,
       PlayFace::kPlay, "X8  ", "01:02:05  02:03:04  ", true, SliderShow::kShow},
      {"scanning back, dark", with([](StatusInputs& in) { in.scanSpeed = -3; }), INDICATOR_NONE, PlayFace::kPlay,
       "X8  ", "01:02:05  02:03:04  ", true, SliderShow::kShow},
      {"scanning forward while paused", with([](StatusInputs& in) { in.scanSpeed = 4; in.blink = true; in.paused = true; }),
       INDICATOR_SCAN_FORWARD, PlayFace::kPlay, "X16 ", "01:02:05  02:03:04  ", true, SliderShow::kShow},
      {"playlist picture", with([](StatusInputs& in) {
         in.kind = KIND_PICTURE | ENGINE_PICTURE;
         in.paused = true;
         in.playlistIndex = 4;
         in.commandEntries = 2;
         in.playlistCount = 14;
       }),
       INDICATOR_PAUSED, PlayFace::kPlay, "    ", "     003   012      ", true, SliderShow::kHide},
      {"picture from a folder", with([](StatusInputs& in) { in.kind = KIND_PICTURE | ENGINE_PICTURE; }),
       INDICATOR_PLAYING, PlayFace::kPause, "    ", "", false, SliderShow::kLeave},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.line.indicator, c.indicator) << c.name;
    EXPECT_EQ(c.line.playFace, c.face) << c.name;
    EXPECT_EQ(c.line.speed, c.speed) << c.name;
    EXPECT_EQ(c.line.time, c.time) << c.name;
    EXPECT_EQ(c.line.timeLit, c.lit) << c.name;
    EXPECT_EQ(c.line.positionSlider, c.slider) << c.name;
    EXPECT_TRUE(OnlyGlyphs(c.line.speed) && OnlyGlyphs(c.line.time)) << c.name;
  }
}

// What lets the panel's clock sleep: only a scan, or a video or sound that plays, moves the line by itself.
TEST(StatusLine, OnlyAScanOrPlayingMediaMoveTheLineByItself) {
  struct Case {
    const char* state;
    bool loaded, paused;
    int scanSpeed;
    EntryKind kind;
    bool moves;
  } const cases[] = {
      {"nothing loaded", false, false, 0, 0, false},
      {"a video playing", true, false, 0, KIND_VIDEO, true},
      {"a sound playing", true, false, 0, KIND_AUDIO, true},
      {"a video paused", true, true, 0, KIND_VIDEO, false},
      {"a paused video scanned", true, true, 2, KIND_VIDEO, true},
      {"a picture", true, false, 0, KIND_PICTURE, false},
  };
  for (const Case& c : cases) {
    StatusInputs in;
    in.loaded = c.loaded;
    in.paused = c.paused;
    in.scanSpeed = c.scanSpeed;
    in.kind = c.kind;
    EXPECT_EQ(StatusMovesByItself(in), c.moves) << c.state;
  }
}

TEST(StatusLine, VolumeKeysAndTheStoredVolumeFollowTheSliderPlaces) {
  MemoryProfile ini;
  ini.keys["CONFIG/VOLUME"] = "50";
  VolumeSlider s;
  s.model.SetFraction(LoadVolumeFraction(ini), s.host);
  EXPECT_EQ(s.K(), 28);

  struct Step {
    int from;
    double (*step)(double);
    int to;
  } const steps[] = {
      {54, VolumeStepUp, 56}, {56, VolumeStepUp, 56}, {28, VolumeStepUp, 31},
      {1, VolumeStepDown, 0}, {0, VolumeStepDown, 0}, {28, VolumeStepDown, 25},
  };
  for (const Step& c : steps) {
    s.SetK(c.from);
    s.model.SetFraction(c.step(s.model.Fraction()), s.host);
    EXPECT_EQ(s.K(), c.to) << c.from;
  }
  s.SetK(54);
  EXPECT_DOUBLE_EQ(VolumeStepUp(s.model.Fraction()), 1.0);

  struct Stored {
    int k;
    const char* volume;
  } const stored[] = {{26, "46"}, {25, "44"}, {28, "50"}, {56, "100"}, {0, "0"}, {1, "1"}};
  for (const Stored& c : stored) {
    s.SetK(c.k);
    SaveVolume(ini, s.model.Fraction());
    EXPECT_EQ(ini.keys["CONFIG/VOLUME"], c.volume) << c.k;
  }
}

TEST(StatusLine, TheStoredPanelPlaceIsNeverLargerThanThePanel) {
  struct Case {
    geo::Rect stored, expected;
  } const cases[] = {
      {{326, 664, 960, 752}, {326, 664, 960, 752}},
      {{0, 0, 0, 0}, {0, 0, 0, 0}},
      {{10, 20, 5000, 9000}, {10, 20, 644, 108}},
      {{100, 100, 50, 40}, {100, 100, 100, 100}},
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {-32000, -32000, -31366, -31912}},
      {{INT_MAX, 5, INT_MIN, 6}, {32000, 5, 32000, 6}},
  };
  for (const Case& c : cases) EXPECT_EQ(StoredPanelRect(c.stored), c.expected) << c.stored.left << "," << c.stored.right;
}

// The mute key against the volume as it stands: a volume raised after a mute is muted by the next press,
// not replaced by the old level; the settings keep the level before the mute while muted.
TEST(VolumeMute, TogglesAgainstTheVolumeAsItStandsAndKeepsTheLevelBeforeIt) {
  VolumeMute mute;
  EXPECT_EQ(mute.Toggle(0.7), 0.0);
  EXPECT_TRUE(mute.Muted(0.0));
  EXPECT_EQ(mute.LevelToKeep(0.0), 0.7);
  EXPECT_EQ(mute.Toggle(0.0), 0.7);
  EXPECT_EQ(mute.LevelToKeep(0.7), 0.7);

  EXPECT_EQ(mute.Toggle(0.7), 0.0);
  mute.VolumeChanged(0.05);  // the volume key while muted
  EXPECT_EQ(mute.Toggle(0.05), 0.0) << "mutes again";
  EXPECT_EQ(mute.Toggle(0.0), 0.05);

  // Muted, then raised and lowered to 0 by hand: nothing stale is kept or given back.
  EXPECT_EQ(mute.Toggle(0.4), 0.0);
  mute.VolumeChanged(0.3);
  mute.VolumeChanged(0.0);
  EXPECT_FALSE(mute.Muted(0.0));
  EXPECT_EQ(mute.LevelToKeep(0.0), 0.0);
  EXPECT_EQ(mute.Toggle(0.0), VolumeMute::kUnmutedLevel);
}
