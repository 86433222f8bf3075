#include "playback/PlayerInput.h"

#include <algorithm>
#include <cstdlib>

#include "playback/ViewGeometry.h"

PlayerKey PlayerKeyFor(unsigned vk, unsigned repeatCount) {
  switch (vk) {
    case 0x0D:
      return PlayerKey::kShowList;
    case 0x20:
    case 'P':
      return PlayerKey::kPlayPause;
    case 'S':
      return PlayerKey::kStop;
    case 0x25:
    case '8':
    case 0x68:
    case 0x77:
      return PlayerKey::kSeekBack;
    case 0x27:
    case '9':
    case 0x69:
    case 0x78:
      return PlayerKey::kSeekForward;
    case 0x26:
      return repeatCount == 1 ? PlayerKey::kPrevious : PlayerKey::kNothing;
    case 0x28:
      return repeatCount == 1 ? PlayerKey::kNext : PlayerKey::kNothing;
    case '0':
    case 0x60:
    case 0x7A:
      return PlayerKey::kFullScreen;
    case '1':
    case 0x61:
    case 0x70:
      return PlayerKey::kToggleList;
    case '5':
    case 0x65:
    case 0x74:
      return PlayerKey::kVolumeDown;
    case '6':
    case 0x66:
    case 0x75:
      return PlayerKey::kVolumeUp;
    case '7':
    case 0x67:
    case 0x76:
      return PlayerKey::kCyclePlayMode;
    default:
      return PlayerKey::kNothing;
  }
}

MediaCommand MediaCommandFor(int appCommand) {
  switch (appCommand) {
    case 14:  // APPCOMMAND_MEDIA_PLAY_PAUSE
      return MediaCommand::kPlayPause;
    case 46:  // APPCOMMAND_MEDIA_PLAY
      return MediaCommand::kPlay;
    case 47:  // APPCOMMAND_MEDIA_PAUSE
      return MediaCommand::kPause;
    case 13:  // APPCOMMAND_MEDIA_STOP
      return MediaCommand::kStop;
    case 11:  // APPCOMMAND_MEDIA_NEXTTRACK
      return MediaCommand::kNext;
    case 12:  // APPCOMMAND_MEDIA_PREVIOUSTRACK
      return MediaCommand::kPrevious;
    case 10:  // APPCOMMAND_VOLUME_UP
      return MediaCommand::kVolumeUp;
    case 9:  // APPCOMMAND_VOLUME_DOWN
      return MediaCommand::kVolumeDown;
    case 8:  // APPCOMMAND_VOLUME_MUTE
      return MediaCommand::kMute;
    default:
      return MediaCommand::kNone;
  }
}

int AppCommandForMediaKey(unsigned vk) {
  switch (vk) {
    case 0xB3: return 14;  // VK_MEDIA_PLAY_PAUSE
    case 0xB2: return 13;  // VK_MEDIA_STOP
    case 0xB0: return 11;  // VK_MEDIA_NEXT_TRACK
    case 0xB1: return 12;  // VK_MEDIA_PREV_TRACK
    case 0xAF: return 10;  // VK_VOLUME_UP
    case 0xAE: return 9;   // VK_VOLUME_DOWN
    case 0xAD: return 8;   // VK_VOLUME_MUTE
    default: return 0;
  }
}

bool PanelStaysUpAfterVolumeKey(EntryKind kind, int scanSpeed, bool paused) {
  return KindClass(kind) == KIND_AUDIO || scanSpeed != 0 || (KindClass(kind) == KIND_VIDEO && paused);
}

int ScanSpeedAfterWheel(int speed, int delta) {
  if (delta > 0) {
    if (speed >= -5) speed = speed > 0 ? 0 : speed - 1;
  } else if (speed <= 5) {
    speed = speed < 0 ? 0 : speed + 1;
  }
  return speed;
}

std::int64_t ScanStep(std::uint32_t elapsedMs, std::int64_t unitsPerSecond, int speed, bool audioOnly) {
  elapsedMs = std::min<std::uint32_t>(elapsedMs, 3000);
  const int magnitude = std::min(std::abs(speed), 6);
  std::int64_t step = static_cast<std::int64_t>(elapsedMs * 0.001 * static_cast<double>(unitsPerSecond)) *
                      (std::int64_t{1} << magnitude);
  if (speed < 0) step = -step;
  if (audioOnly && speed != 0) step += speed < 0 ? 50 : -50;
  return step;
}

int BorderZone(const geo::Rect& r, int x, int y) {
  if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return 0;
  int zone = 0;
  if (y < r.top + kBorderWidth) zone |= 1;
  if (y >= r.bottom - kBorderWidth) zone |= 2;
  if (x < r.left + kBorderWidth) zone |= 4;
  if (x >= r.right - kBorderWidth) zone |= 8;
  return zone;
}

BorderCursor CursorForZone(int zone) {
  switch (zone) {
    case 1:
    case 2:
      return BorderCursor::kNorthSouth;
    case 4:
    case 8:
      return BorderCursor::kWestEast;
    case 5:
    case 10:
      return BorderCursor::kNorthWestSouthEast;
    case 6:
    case 9:
      return BorderCursor::kNorthEastSouthWest;
    default:
      return BorderCursor::kArrow;
  }
}

int HitTestForZone(int zone) {
  switch (zone) {
    case 1: return 12;   // HTTOP
    case 2: return 15;   // HTBOTTOM
    case 4: return 10;   // HTLEFT
    case 8: return 11;   // HTRIGHT
    case 5: return 13;   // HTTOPLEFT
    case 9: return 14;   // HTTOPRIGHT
    case 6: return 16;   // HTBOTTOMLEFT
    case 10: return 17;  // HTBOTTOMRIGHT
    default: return 0;
  }
}

geo::Rect ResizeByBorder(int m, const geo::Rect& R, int x, int y, const geo::Rect& S, const PressOffsets& o) {
  const int screenW = S.Width(), screenH = S.Height();
  geo::Rect n = R;
  if (m == 1 || m == 5 || m == 9) {
    n.top = y - o.fromTop;
    if (n.bottom - n.top > screenH) n.top = S.top + R.bottom - S.bottom;
    if (n.bottom - n.top < kMinTrackHeight) n.top = R.bottom - kMinTrackHeight;
  }
  if (m == 2 || m == 6 || m == 10) {
    n.bottom = y + o.toBottom;
    if (n.bottom - n.top > screenH) n.bottom = screenH + R.top;
    if (n.bottom - n.top < kMinTrackHeight) n.bottom = R.top + kMinTrackHeight;
  }
  if (m == 4 || m == 5 || m == 6) {
    n.left = x - o.fromLeft;
    if (n.right - n.left > screenW) n.left = R.right + S.left - S.right;
    if (n.right - n.left < kMinTrackWidth) n.left = R.right - kMinTrackWidth;
  }
  if (m == 8 || m == 9 || m == 10) {
    n.right = x + o.toRight;
    if (n.right - n.left > screenW) n.right = screenW + R.left;
    if (n.right - n.left < kMinTrackWidth) n.right = R.left + kMinTrackWidth;
  }
  return n;
}
