#pragma once
// The player's input rules without their window: the key table, the panel rule after a volume key, the
// wheel's scan speeds and the scan step, and the borderless window's border zones with their resizing.
// Win32-free.

#include <cstdint>

#include "browser/FileEntry.h"
#include "framework/Geometry.h"

enum class PlayerKey {
  kNothing,
  kShowList,        // Enter
  kPlayPause,       // Space, P: pause or go on when loaded, else start the playlist
  kStop,            // S: stop when loaded, else start
  kSeekBack,        // Left, 8, pad 8, F8
  kSeekForward,     // Right, 9, pad 9, F9
  kPrevious,        // Up, only for a key-down message with repeat count 1
  kNext,            // Down, likewise
  kFullScreen,      // 0, pad 0, F11
  kToggleList,      // 1, pad 1, F1
  kVolumeDown,      // 5, pad 5, F5
  kVolumeUp,        // 6, pad 6, F6
  kCyclePlayMode,   // 7, pad 7, F7
};

// repeatCount: the low word of the key-down message's second parameter.
PlayerKey PlayerKeyFor(unsigned virtualKey, unsigned repeatCount);

// The media keys of keyboards and remote controls, as WM_APPCOMMAND reports them (its command code), mapped
// onto the player's own operations. Mute is the volume slider at 0 and back.
enum class MediaCommand { kNone, kPlayPause, kPlay, kPause, kStop, kNext, kPrevious, kVolumeUp, kVolumeDown, kMute };
MediaCommand MediaCommandFor(int appCommand);
// The WM_APPCOMMAND code the system makes of a media key's virtual-key code; 0 for other keys.
int AppCommandForMediaKey(unsigned virtualKey);

// After a volume key the control panel shows; it then hides again unless music plays, the player scans,
// or a video is paused.
bool PanelStaysUpAfterVolumeKey(EntryKind currentKind, int scanSpeed, bool paused);

// One wheel notch: positive deltas (away from the user) scan backward faster, others forward faster; the
// first notch against the current direction returns to normal speed. Speeds stay within −6 … +6.
int ScanSpeedAfterWheel(int scanSpeed, int delta);

// The position step of one scan tick: elapsed milliseconds (at most 3000) of media time, times
// 2^|speed|, backward for negative speeds; shortened by 50 units for audio-only entries.
std::int64_t ScanStep(std::uint32_t elapsedMs, std::int64_t unitsPerSecond, int scanSpeed, bool audioOnly);

// The 8-pixel border zones of the view's window rectangle: 1 top, 2 bottom, 4 left, 8 right, summed at the
// corners (5 top-left, 9 top-right, 6 bottom-left, 10 bottom-right); 0 inside.
constexpr int kBorderWidth = 8;
int BorderZone(const geo::Rect& window, int x, int y);

enum class BorderCursor { kArrow, kNorthSouth, kWestEast, kNorthWestSouthEast, kNorthEastSouthWest };
BorderCursor CursorForZone(int zone);

// The non-client hit-test code (HTTOP … HTBOTTOMRIGHT) of a zone; 0 for none.
int HitTestForZone(int zone);

// A resize by the border press of mode m: R the window rectangle, (x, y) the cursor, screen the desktop
// rectangle, offsets the press's cursor − left, cursor − top, right − cursor, bottom − cursor. The window
// stays within the screen's size and at least 160 × 120.
struct PressOffsets {
  int fromLeft = 0, fromTop = 0, toRight = 0, toBottom = 0;
};
geo::Rect ResizeByBorder(int mode, const geo::Rect& window, int x, int y, const geo::Rect& screen,
                         const PressOffsets& offsets);
