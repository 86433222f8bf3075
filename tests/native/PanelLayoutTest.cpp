#include "controls/PanelLayout.h"

#include <gtest/gtest.h>

TEST(LayoutPanels, FullViewPutsThePanelBottomRightAndTheListAboveIt) {
  geo::Rect view{0, 0, 1024, 768};
  for (geo::Rect panel : {geo::Rect{100, 100, 734, 188}, geo::Rect{0, 0, 634, 88}, geo::Rect{390, 680, 1024, 768}}) {
    PanelPlaces p = LayoutPanels(view, panel);
    EXPECT_EQ(p.panel, (geo::Rect{390, 680, 1024, 768}));
    EXPECT_EQ(p.list, (geo::Rect{24, 48, 1000, 680}));
  }
}

TEST(LayoutPanels, ShortViewBottomAlignsThePanelUnderA160PixelList) {
  // 250 pixels high, its bottom more than 88 pixels below the panel's top.
  geo::Rect view{100, 100, 900, 350};
  geo::Rect panel{150, 120, 784, 208};
  PanelPlaces p = LayoutPanels(view, panel);
  EXPECT_EQ(p.panel.bottom, 350);
  EXPECT_EQ(p.panel.top, 350 - 88);
  EXPECT_EQ(p.list.bottom, p.panel.top);
  EXPECT_EQ(p.list.Height(), 160);
  EXPECT_EQ(p.panel.Width(), 634);
  EXPECT_EQ(p.panel.left, 900 - 634);
}

TEST(LayoutPanels, NarrowViewKeepsThePanelsLeftEdgeAndListsUnderIt) {
  // A view narrower than the panel: the panel stays where it was unless the view starts further left.
  geo::Rect view{200, 0, 600, 400};
  geo::Rect panel{150, 312, 784, 400};
  PanelPlaces p = LayoutPanels(view, panel);
  EXPECT_EQ(p.panel.left, 150);
  EXPECT_EQ(p.list.left, 174);
  EXPECT_EQ(p.list.right, 760);
}
