#include "playback/ViewGeometry.h"

#include <gtest/gtest.h>

TEST(InitialViewRect, CentresTheDefaultSizeWhenNothingUsableIsStored) {
  const geo::Rect screen{0, 0, 1280, 1024}, desktop = screen;
  const geo::Rect centred{320, 272, 960, 752};
  struct Case {
    geo::Rect stored;
    geo::Rect expected;
  } const cases[] = {
      {{0, 0, 0, 0}, centred},                      // nothing stored
      {{100, 100, 900, 700}, {100, 100, 900, 700}}, // a normal stored window
      {{500, 500, 400, 400}, centred},              // inverted garbage
      {{0, 0, 100, 100}, centred},                  // smaller than the window may be
      {{5000, 5000, 5800, 5600}, centred},          // on a monitor that is gone
      {{-700, 10, -10, 500}, centred},              // wholly left of the desktop
      {{-100, 10, 600, 500}, {-100, 10, 600, 500}}, // partly visible is kept
  };
  for (const Case& c : cases) EXPECT_EQ(InitialViewRect(c.stored, screen, desktop), c.expected);
}
