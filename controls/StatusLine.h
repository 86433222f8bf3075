#pragma once
// What the control panel's status line shows, without its window: the state indicator, the play switch's
// face, the scan-speed text, the 20-glyph time text (or a picture's place in the playlist) and whether the
// position slider is seen; also the volume steps of the volume keys. Win32-free.
//
// The texts hold only the characters of the digit strip: "0"–"9", ":", " " and "X".

#include <string>

#include "controls/EntryKind.h"

// Frames of the digit strip (16 × 32 each).
inline constexpr int kGlyphWidth = 16;
inline constexpr int kGlyphFrames = 13;
// An unlit glyph asks for its frame plus this, which lies outside the strip: nothing is drawn.
inline constexpr int kUnlitGlyphOffset = kGlyphFrames;
inline constexpr int kTimeGlyphs = 20;

// Frames of the indicator strip.
enum IndicatorFrame : int {
  INDICATOR_NONE = -1,  // nothing drawn (the dark phase of the scan blink)
  INDICATOR_STOPPED = 0,
  INDICATOR_PLAYING = 1,
  INDICATOR_PAUSED = 2,
  INDICATOR_SCAN_FORWARD = 3,
  INDICATOR_SCAN_BACK = 4,
};

// The digit strip's frame of a character; -1 for a character the strip does not have.
int GlyphFrame(char c);

// "X2  " … "X64 " for the scan speeds ±1 … ±6, four spaces for any other speed.
std::string SpeedText(int speed);

// Whole seconds as "HH:MM:SS", the hours taken modulo 24; a negative time shows as 00:00:00.
std::string ClockText(long long seconds);

// The position, two spaces, the duration, two spaces: 20 glyphs.
std::string TimeText(long long current, long long total);

// A playlist picture's number among the playlist's files and their count: "     %03d   %03d      ".
std::string PictureCounterText(int number, int count);

struct StatusInputs {
  bool loaded = false;
  bool paused = false;
  int scanSpeed = 0;
  bool blink = false;
  EntryKind kind = 0;
  long long currentSeconds = 0;
  long long totalSeconds = 0;
  // For a picture: the playlist index of what plays when it is the playlist current entry, else -1;
  // the playlist's command entries and its whole length.
  int playlistIndex = -1;
  int commandEntries = 0;
  int playlistCount = 0;
};

enum class PlayFace { kPlay, kPause };
enum class SliderShow { kShow, kHide, kLeave };

struct StatusLine {
  int indicator = INDICATOR_NONE;
  PlayFace playFace = PlayFace::kPlay;
  std::string speed;  // 4 glyphs, lit
  std::string time;   // drawn at the time rectangle; empty: nothing
  bool timeLit = false;
  SliderShow positionSlider = SliderShow::kLeave;
  friend bool operator==(const StatusLine&, const StatusLine&) = default;
};

StatusLine ComposeStatusLine(const StatusInputs& in);

// Whether the status line can change with nothing done: a scan runs, or a video or sound plays.
bool StatusMovesByItself(const StatusInputs& in);

// The volume keys' steps: 0.05 up or down, kept within 0…1.
double VolumeStepUp(double volume);
double VolumeStepDown(double volume);
