// The list's viewport: paging, scrolling and cursor moves with their wraps and results.
#include "browser/TagViewport.h"

#include <gtest/gtest.h>

namespace {

Viewport View(int count, int rows, int first = 0, int cursor = 0) {
  Viewport v;
  v.count = count;
  v.visibleRows = rows;
  v.first = first;
  v.cursor = cursor;
  return v;
}

}  // namespace

TEST(TagViewport, PagingWalksCutsAndWraps) {
  // 25 entries, 10 rows: 0 -> 10 -> 15 (cut) -> 0 (wrap); up from 0 wraps to the end.
  Viewport v = View(25, 10);
  EXPECT_EQ(v.PageDown(), 1);
  EXPECT_EQ(v.first, 10);
  EXPECT_EQ(v.PageDown(), 0);
  EXPECT_EQ(v.first, 15);
  EXPECT_EQ(v.PageDown(), 0);
  EXPECT_EQ(v.first, 0);
  EXPECT_EQ(v.PageUp(), 0);
  EXPECT_EQ(v.first, 15);
  EXPECT_EQ(v.PageUp(), 1);
  EXPECT_EQ(v.first, 5);
  EXPECT_EQ(v.PageUp(), 0);
  EXPECT_EQ(v.first, 0);
  EXPECT_EQ(v.cursor, 0);  // paging never moves the cursor

  EXPECT_EQ(v.ScrollUp(), 0);
  EXPECT_EQ(v.first, 15);
  EXPECT_EQ(v.ScrollDown(), 0);
  EXPECT_EQ(v.first, 0);
  EXPECT_EQ(v.ScrollDown(), 1);
  EXPECT_EQ(v.first, 1);
}

TEST(TagViewport, ShortListsDoNotScroll) {
  Viewport full = View(10, 10);  // exactly fits: no slider, paging changes nothing visible
  EXPECT_FALSE(full.NeedsSlider());
  full.PageDown();
  EXPECT_EQ(full.first, 0);

  Viewport shortList = View(4, 10);
  for (int (Viewport::*op)() : {&Viewport::ScrollDown, &Viewport::ScrollUp, &Viewport::PageDown, &Viewport::PageUp})
    EXPECT_EQ((shortList.*op)(), -1);
  Viewport empty = View(0, 10);
  EXPECT_EQ(empty.ScrollDown(), -1);
  EXPECT_EQ(empty.ShownRows(), 0);
  EXPECT_EQ(View(11, 10).NeedsSlider(), true);
}

TEST(TagViewport, CursorWrapsAtBothEnds) {
  Viewport v = View(10, 10, 0, 9);  // Down on the last entry goes to the first
  v.CursorDown();
  EXPECT_EQ(v.cursor, 0);
  v.CursorUp();  // and Up on the first to the last
  EXPECT_EQ(v.cursor, 9);

  Viewport longList = View(100, 10, 0, 0);
  longList.CursorUp();  // the view moves to the end with the cursor on the last entry
  EXPECT_EQ(longList.first, 90);
  EXPECT_EQ(longList.cursor, 99);
  longList.CursorDown();
  EXPECT_EQ(longList.first, 0);
  EXPECT_EQ(longList.cursor, 0);

  Viewport shortList = View(3, 10, 0, 2);
  shortList.CursorDown();
  EXPECT_EQ(shortList.cursor, 0);
}

TEST(TagViewport, CursorBroughtBackIntoViewIsCentred) {
  // The wheel scrolled the view away from the cursor; the next Down centres the view on it.
  Viewport v = View(100, 10, 50, 5);
  v.CursorDown();
  EXPECT_EQ(v.cursor, 6);
  EXPECT_EQ(v.first, 2);
  // A cursor one row below the last visible one is out of view too.
  Viewport below = View(100, 10, 10, 20);
  EXPECT_EQ(below.EnsureCursorVisible(), 0);
  EXPECT_LE(below.first, 20);
  EXPECT_GT(below.first + 10, 20);
  // Down from the last visible row scrolls by one and keeps the cursor on the new last row.
  Viewport step = View(100, 10, 10, 19);
  step.CursorDown();
  EXPECT_EQ(step.first, 11);
  EXPECT_EQ(step.cursor, 20);
}

TEST(TagViewport, CentreClampAndFraction) {
  Viewport v = View(100, 10);
  v.CenterOn(50);
  EXPECT_EQ(v.first, 46);
  v.CenterOn(99);
  EXPECT_EQ(v.first, 90);
  v.CenterOn(-1);
  EXPECT_EQ(v.first, 0);

  EXPECT_TRUE(v.ScrollToFraction(0.5));
  EXPECT_EQ(v.first, 45);
  EXPECT_FALSE(v.ScrollToFraction(0.5));
  EXPECT_DOUBLE_EQ(v.Fraction(), 0.5);
  EXPECT_TRUE(v.ScrollToFraction(1.0));
  EXPECT_EQ(v.first, 90);
  EXPECT_DOUBLE_EQ(View(5, 10).Fraction(), 0.0);

  // A list that shrank under the view is clamped; a cursor beyond it stays until it is moved.
  Viewport shrunk = View(12, 10, 40, 40);
  shrunk.Clamp();
  EXPECT_EQ(shrunk.first, 2);
  EXPECT_EQ(shrunk.cursor, 40);
}

TEST(TagViewport, RowsOfAnArea) {
  EXPECT_EQ(VisibleRowsFor(400), 10);
  EXPECT_EQ(VisibleRowsFor(439), 10);
  EXPECT_EQ(VisibleRowsFor(39), 0);
  EXPECT_EQ(VisibleRowsFor(-80), 0);
  EXPECT_EQ(VisibleRowsFor(2560), 64);
  EXPECT_EQ(VisibleRowsFor(4000), 64);  // no more rows than row windows
}
