// The player's key table, the wheel's scan speeds and step, and the borderless window's border.
#include "playback/PlayerInput.h"

#include <gtest/gtest.h>

TEST(PlayerInput, KeyTable) {
  struct Case {
    unsigned vk, repeat;
    PlayerKey key;
  } const cases[] = {
      {0x0D, 1, PlayerKey::kShowList},    {0x20, 1, PlayerKey::kPlayPause},   {'P', 3, PlayerKey::kPlayPause},
      {'S', 1, PlayerKey::kStop},         {0x68, 1, PlayerKey::kSeekBack},    {0x78, 1, PlayerKey::kSeekForward},
      {0x26, 1, PlayerKey::kPrevious},    {0x26, 2, PlayerKey::kNothing},     {0x28, 1, PlayerKey::kNext},
      {0x28, 5, PlayerKey::kNothing},     {0x7A, 1, PlayerKey::kFullScreen},  {0x70, 1, PlayerKey::kToggleList},
      {0x74, 1, PlayerKey::kVolumeDown},  {'6', 1, PlayerKey::kVolumeUp},     {0x67, 1, PlayerKey::kCyclePlayMode},
      {'Q', 1, PlayerKey::kNothing},      {0x79, 1, PlayerKey::kNothing},
  };
  for (const Case& c : cases) EXPECT_EQ(PlayerKeyFor(c.vk, c.repeat), c.key) << c.vk << " x" << c.repeat;
  EXPECT_TRUE(PanelStaysUpAfterVolumeKey(KIND_AUDIO, 0, false));
  EXPECT_TRUE(PanelStaysUpAfterVolumeKey(KIND_VIDEO, 0, true));
  EXPECT_TRUE(PanelStaysUpAfterVolumeKey(KIND_VIDEO, -2, false));
  EXPECT_FALSE(PanelStaysUpAfterVolumeKey(KIND_VIDEO, 0, false));
  EXPECT_FALSE(PanelStaysUpAfterVolumeKey(KIND_PICTURE, 0, true));
}

TEST(PlayerInput, WheelNotchesAndScanSteps) {
  // Three notches toward the user: +3; one away returns to normal at once; the ends hold at ±6.
  int speed = 0;
  for (int i = 0; i < 3; ++i) speed = ScanSpeedAfterWheel(speed, -120);
  EXPECT_EQ(speed, 3);
  EXPECT_EQ(ScanSpeedAfterWheel(speed, 120), 0);
  speed = 0;
  for (int i = 0; i < 9; ++i) speed = ScanSpeedAfterWheel(speed, 120);
  EXPECT_EQ(speed, -6);
  EXPECT_EQ(ScanSpeedAfterWheel(6, -120), 6);

  constexpr std::int64_t kDs = 10'000'000;
  EXPECT_EQ(ScanStep(500, kDs, 3, false), 5'000'000 * 8);   // 8 times real time
  EXPECT_EQ(ScanStep(500, kDs, -1, false), -5'000'000 * 2);
  EXPECT_EQ(ScanStep(9000, 1000, 1, false), 6000);          // at most 3 s of elapsed time
  EXPECT_EQ(ScanStep(500, 1000, 2, true), 2000 - 50);       // shortened for audio
  EXPECT_EQ(ScanStep(500, 1000, -2, true), -2000 + 50);
}

TEST(PlayerInput, BorderZonesCursorsAndHitTests) {
  const geo::Rect w{100, 100, 500, 400};
  struct Case {
    int x, y, zone, hit;
    BorderCursor cursor;
  } const cases[] = {
      {300, 250, 0, 0, BorderCursor::kArrow},          {300, 100, 1, 12, BorderCursor::kNorthSouth},
      {300, 399, 2, 15, BorderCursor::kNorthSouth},    {107, 250, 4, 10, BorderCursor::kWestEast},
      {492, 250, 8, 11, BorderCursor::kWestEast},      {100, 100, 5, 13, BorderCursor::kNorthWestSouthEast},
      {499, 107, 9, 14, BorderCursor::kNorthEastSouthWest}, {101, 398, 6, 16, BorderCursor::kNorthEastSouthWest},
      {499, 399, 10, 17, BorderCursor::kNorthWestSouthEast}, {108, 108, 0, 0, BorderCursor::kArrow},
      {500, 250, 0, 0, BorderCursor::kArrow},
  };
  for (const Case& c : cases) {
    const int zone = BorderZone(w, c.x, c.y);
    EXPECT_EQ(zone, c.zone) << c.x << "," << c.y;
    EXPECT_EQ(HitTestForZone(zone), c.hit) << zone;
    EXPECT_EQ(CursorForZone(zone), c.cursor) << zone;
  }
}

TEST(PlayerInput, ResizingByTheBorderKeepsTheMinimumAndTheScreen) {
  const geo::Rect screen{0, 0, 1280, 1024};
  const geo::Rect r{100, 100, 500, 400};
  // Bottom-right corner dragged by (+50, +20) from a press 3 pixels inside.
  EXPECT_EQ(ResizeByBorder(10, r, 547, 417, screen, {397, 297, 3, 3}), (geo::Rect{100, 100, 550, 420}));
  // The left edge pushed past the right: the window stays 160 wide.
  EXPECT_EQ(ResizeByBorder(4, r, 480, 250, screen, {2, 150, 398, 150}), (geo::Rect{340, 100, 500, 400}));
  // The top pulled far above the screen: no taller than the screen.
  EXPECT_EQ(ResizeByBorder(1, r, 300, -2000, screen, {200, 1, 200, 299}), (geo::Rect{100, -624, 500, 400}));
  // The right edge pulled beyond the screen's width.
  EXPECT_EQ(ResizeByBorder(8, r, 5000, 250, screen, {0, 0, 0, 0}), (geo::Rect{100, 100, 1380, 400}));
  // A mode without an edge leaves the rectangle.
  EXPECT_EQ(ResizeByBorder(0, r, 1, 1, screen, {}), r);
}

TEST(PlayerInput, MediaKeysMapOntoThePlayersOperations) {
  EXPECT_EQ(MediaCommandFor(46), MediaCommand::kPlay);
  EXPECT_EQ(MediaCommandFor(47), MediaCommand::kPause);
  EXPECT_EQ(MediaCommandFor(7), MediaCommand::kNone);  // browser home: not the player's
  // Each key, by way of its WM_APPCOMMAND code, reaches its own operation: a swapped pair fails.
  const struct {
    unsigned vk;
    int appCommand;
    MediaCommand command;
  } keys[] = {
      {0xB3, 14, MediaCommand::kPlayPause}, {0xB2, 13, MediaCommand::kStop},
      {0xB0, 11, MediaCommand::kNext},      {0xB1, 12, MediaCommand::kPrevious},
      {0xAF, 10, MediaCommand::kVolumeUp},  {0xAE, 9, MediaCommand::kVolumeDown},
      {0xAD, 8, MediaCommand::kMute},
  };
  for (const auto& k : keys) {
    EXPECT_EQ(AppCommandForMediaKey(k.vk), k.appCommand) << k.vk;
    EXPECT_EQ(MediaCommandFor(k.appCommand), k.command) << k.appCommand;
  }
  EXPECT_EQ(AppCommandForMediaKey(0x20), 0);
}
