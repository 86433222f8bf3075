#include "controls/StripGeometry.h"

#include <gtest/gtest.h>

#include <climits>

TEST(PlanFrameCopy, PicksTheFrameAndNeverReadsOutsideTheImage) {
  struct Case {
    const char* what;
    int index, frameWidth, frameCount;
    geo::Size image;
    int width, height;
    std::optional<FrameCopy> copy;
  } const cases[] = {
      {"first frame", 0, 32, 4, {128, 32}, 32, 32, FrameCopy{0, 0, 32, 32}},
      {"last frame", 3, 32, 4, {128, 32}, 32, 32, FrameCopy{96, 0, 32, 32}},
      {"one past the end", 4, 32, 4, {128, 32}, 32, 32, std::nullopt},
      {"negative index", -1, 32, 4, {128, 32}, 32, 32, std::nullopt},
      {"unlit digit asks for frame + 13", 13 + 5, 16, 13, {208, 32}, 16, 32, std::nullopt},
      {"strip narrower than its frames: a frame beyond the image", 3, 32, 4, {100, 32}, 32, 32, std::nullopt},
      {"strip narrower than its frames: a frame inside it", 2, 32, 4, {100, 32}, 32, 32, FrameCopy{64, 0, 32, 32}},
      {"copy wider than the rest of the image is cut", 0, 16, 1, {16, 16}, 20, 20, FrameCopy{0, 0, 16, 16}},
      {"copy wider than the frame runs into the next one", 1, 32, 4, {128, 32}, 48, 32, FrameCopy{32, 0, 48, 32}},
      {"copy taller than the image is cut", 0, 32, 4, {128, 20}, 32, 32, FrameCopy{0, 0, 32, 20}},
      {"nothing to copy", 0, 32, 4, {128, 32}, 0, 32, std::nullopt},
      {"no frame width", 0, 0, 4, {128, 32}, 32, 32, std::nullopt},
      {"empty image", 0, 32, 4, {0, 0}, 32, 32, std::nullopt},
      {"index times width overflows", INT_MAX / 2, 64, INT_MAX, {128, 32}, 32, 32, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlanFrameCopy(c.index, c.frameWidth, c.frameCount, c.image, c.width, c.height), c.copy) << c.what;
}

TEST(StripFits, NeedsRoomForEveryFrame) {
  EXPECT_TRUE(StripFits(32, 4, {128, 32}));
  EXPECT_TRUE(StripFits(32, 4, {200, 32}));  // wider is fine
  EXPECT_TRUE(StripFits(16, 1, {16, 16}));
  EXPECT_FALSE(StripFits(32, 4, {127, 32}));
  EXPECT_FALSE(StripFits(32, 4, {128, 0}));
  EXPECT_FALSE(StripFits(0, 4, {128, 32}));
  EXPECT_FALSE(StripFits(32, 0, {128, 32}));
  EXPECT_FALSE(StripFits(INT_MAX, INT_MAX, {INT_MAX, 32}));
}
