#include "playback/PlaybackMath.h"

#include <gtest/gtest.h>

#include <limits>

TEST(FitOutputRect, FitsAndCentresWithTheAspectKept) {
  struct Case {
    int w, h;
    bool keep;
    long a, b;
    geo::Rect expected;
  } const cases[] = {
      {800, 600, true, 1280, 720, {0, 75, 800, 525}},
      {800, 600, false, 1280, 720, {0, 0, 800, 600}},
      {1000, 1000, true, 4000, 3000, {0, 125, 1000, 875}},
      {1600, 900, true, 1000, 2000, {575, 0, 1025, 900}},
      {1600, 900, false, 1000, 2000, {0, 0, 1600, 900}},
      {640, 480, true, 640, 480, {0, 0, 640, 480}},
      {641, 481, true, 320, 240, {0, 0, 641, 480}},  // halves round toward zero
      {800, 600, true, 0, 0, {0, 0, 800, 600}},      // a picture that did not decode
      {800, 600, true, 100, 0, {0, 0, 800, 600}},
      {1, 1, true, 100000, 1, {0, 0, 1, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FitOutputRect(c.w, c.h, c.keep, c.a, c.b), c.expected) << c.w << "x" << c.h << " " << c.a << "x" << c.b;
}

TEST(DirectShowVolume, LogarithmicScaleInHundredthsOfADecibel) {
  struct Case {
    double f;
    long v;
  } const cases[] = {
      {1.0, 0}, {0.5, -1506}, {0.25, -3011}, {0.1, -5000}, {0.05, -6506}, {0.01, -10000},
      {0.0, -10000}, {0.005, -10000}, {0.0001, -10000}, {-1.0, -10000}, {2.0, 0},
      {std::numeric_limits<double>::quiet_NaN(), -10000},
  };
  for (const Case& c : cases) EXPECT_EQ(DirectShowVolume(c.f), c.v) << c.f;
}

TEST(PositionArithmetic, ZeroLengthsNeverDivideByZero) {
  EXPECT_EQ(PositionSeconds(25'000'000, 10'000'000), 2);
  EXPECT_EQ(PositionSeconds(25'000'000, 0), 0);
  EXPECT_DOUBLE_EQ(PositionFraction(15'000'000, 30'000'000, 10'000'000), 0.5);
  EXPECT_DOUBLE_EQ(PositionFraction(5, 0, 10'000'000), 0.0);
  EXPECT_DOUBLE_EQ(PositionFraction(5, 100, 0), 0.0);
  EXPECT_DOUBLE_EQ(PositionFraction(200, 100, 1), 1.0);
}

TEST(SeekTarget, LandsOnTheEndsOfTheRange) {
  const std::int64_t u = 10'000'000, latest = 30 * u;
  EXPECT_EQ(SeekTarget(10 * u, 14, u, 0, latest), 24 * u);
  EXPECT_EQ(SeekTarget(20 * u, 14, u, 0, latest), latest);
  EXPECT_EQ(SeekTarget(3 * u, -5, u, 0, latest), 0);
  EXPECT_EQ(SeekTarget(3 * u, -5, u, 2 * u, latest), 2 * u);
  EXPECT_EQ(SeekTarget(0, 10, 0, 0, 0), 0);
  EXPECT_EQ(FractionTarget(0.5, 0, latest), 15 * u);
  EXPECT_EQ(FractionTarget(1.5, 0, latest), latest);
  EXPECT_EQ(FractionTarget(-0.5, u, latest), u);
  EXPECT_EQ(FractionTarget(std::numeric_limits<double>::infinity(), 0, latest), 0);
}
