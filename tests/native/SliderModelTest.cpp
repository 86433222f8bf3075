#include "controls/SliderModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Records the effects in order. A redraw reports a pending change the way the window does: "post" with
// the thumb position the parent would then read.
class FakeHost : public SliderHost {
 public:
  explicit FakeHost(SliderModel& model) : m_model(model) {}
  std::vector<std::string> events;
  std::vector<int> postedAt;
  bool captured = false;
  bool shown = true;

  void Redraw() override {
    events.push_back("redraw");
    if (m_model.TakeChange()) {
      events.push_back("post");
      postedAt.push_back(m_model.Thumb());
    }
  }
  void CaptureMouse() override {
    events.push_back("capture");
    captured = true;
  }
  void ReleaseMouse() override {
    events.push_back("release");
    captured = false;
  }
  void ShowSlider(bool visible) override {
    events.push_back(visible ? "show" : "hide");
    shown = visible;
  }
  int Posts() const { return static_cast<int>(postedAt.size()); }

 private:
  SliderModel& m_model;
};

// The control panel's volume slider: 88 × 16 with the speaker icon, so the track runs from 16 to 88.
struct VolumeSlider {
  SliderModel model;
  FakeHost host{model};
  VolumeSlider() { model.Setup(88, 16, false, false, true); }
};

// The file list's slider: 16 × 400, vertical, paging, no icon.
struct FileSlider {
  SliderModel model;
  FakeHost host{model};
  FileSlider() { model.Setup(16, 400, true, true, false); }
};

}  // namespace

TEST(SliderModel, TheIconSquareIsKeptOutOfTheTrack) {
  SliderModel m;
  m.Setup(88, 16, false, false, true);
  EXPECT_EQ(m.Track(), (geo::Rect{16, 0, 88, 16}));
  EXPECT_EQ(m.Thickness(), 16);
  EXPECT_EQ(m.ThumbRect(), (geo::Rect{16, 0, 32, 16}));
  m.Setup(20, 300, true, false, true);
  EXPECT_EQ(m.Track(), (geo::Rect{0, 20, 20, 300}));
  EXPECT_EQ(m.ThumbRect(), (geo::Rect{0, 20, 20, 36}));
  m.Setup(308, 16, false, false, false);
  EXPECT_EQ(m.Track(), (geo::Rect{0, 0, 308, 16}));
}

TEST(SliderModel, SetFractionPlacesTheThumbAndReadsBack) {
  struct Case {
    double fraction;
    int thumb;
  } const cases[] = {
      {0.5, 44}, {0.0, 16}, {1.0, 72}, {0.25, 30}, {1.0 / 56, 17}, {27.5 / 56, 44},  // rounds to the nearest pixel
      {-0.3, 16}, {1.7, 72}, {NAN, 16}, {INFINITY, 72}, {-INFINITY, 16},
  };
  for (const Case& c : cases) {
    VolumeSlider s;
    s.model.SetFraction(c.fraction, s.host);
    EXPECT_EQ(s.model.Thumb(), c.thumb) << c.fraction;
    EXPECT_EQ(s.host.Posts(), 0) << "the program's move is not a user change";
  }
  VolumeSlider s;
  s.model.SetFraction(0.5, s.host);
  EXPECT_DOUBLE_EQ(s.model.Fraction(), 0.5);
  // The volume takes the 57 values k / 56 of its 56-pixel travel.
  for (int k = 0; k <= 56; ++k) {
    s.model.SetFraction(k / 56.0, s.host);
    EXPECT_EQ(s.model.Thumb(), 16 + k);
    EXPECT_DOUBLE_EQ(s.model.Fraction(), k / 56.0);
  }
}

TEST(SliderModel, ClickingTheTrackCentresTheThumbDragsAndReports) {
  VolumeSlider s;
  s.model.ButtonDown({60, 8}, s.host);
  EXPECT_EQ(s.model.Thumb(), 52);
  EXPECT_TRUE(s.model.Dragging());
  EXPECT_TRUE(s.model.Hover());
  EXPECT_TRUE(s.host.captured);
  EXPECT_EQ(s.host.events, (std::vector<std::string>{"redraw", "capture", "redraw", "post"}));
  // Released without moving: centred on the click again and reported again.
  s.model.ButtonUp({60, 8}, s.host);
  EXPECT_FALSE(s.model.Dragging());
  EXPECT_EQ(s.model.Thumb(), 52);
  EXPECT_EQ(s.host.Posts(), 2);
  EXPECT_EQ(s.host.postedAt, (std::vector<int>{52, 52}));
}

TEST(SliderModel, DraggingStopsAtBothEndsAndNeverCoversTheIcon) {
  VolumeSlider s;
  s.model.SetFraction(0.5, s.host);
  s.model.ButtonDown({50, 8}, s.host);  // on the thumb (44..60), grabbed 6 pixels in
  EXPECT_TRUE(s.model.Dragging());
  EXPECT_EQ(s.model.Thumb(), 44) << "grabbing the thumb does not move it";
  s.model.MouseMove({-200, 8}, s.host);
  EXPECT_EQ(s.model.Thumb(), 16);
  s.model.MouseMove({3, 8}, s.host);
  EXPECT_EQ(s.model.Thumb(), 16);
  s.model.MouseMove({500, 30}, s.host);
  EXPECT_EQ(s.model.Thumb(), 72);
  EXPECT_DOUBLE_EQ(s.model.Fraction(), 1.0);
  s.model.MouseMove({40, 8}, s.host);
  EXPECT_EQ(s.model.Thumb(), 34);
}

TEST(SliderModel, ADragStepIsReportedByTheNextRedraw) {
  VolumeSlider s;
  s.model.ButtonDown({20, 8}, s.host);  // on the thumb at 16, grab 4
  s.model.MouseMove({30, 8}, s.host);   // thumb to 26; its change waits
  EXPECT_EQ(s.host.Posts(), 0);
  s.model.MouseMove({40, 8}, s.host);   // the hover redraw reports the step to 26, then the thumb goes to 36
  EXPECT_EQ(s.host.postedAt, std::vector<int>{26});
  EXPECT_EQ(s.model.Thumb(), 36);
  s.model.ButtonUp({40, 8}, s.host);  // on the thumb: no redraw, the last step still waits
  EXPECT_EQ(s.host.Posts(), 1);
  s.model.SetFraction(0.9, s.host);  // ignored no more, and its redraw carries the waiting report
  EXPECT_EQ(s.host.Posts(), 2);
}

TEST(SliderModel, SetFractionDuringADragChangesNothing) {
  VolumeSlider s;
  s.model.ButtonDown({20, 8}, s.host);
  s.model.MouseMove({40, 8}, s.host);
  const int thumb = s.model.Thumb();
  const auto events = s.host.events;
  s.model.SetFraction(0.0, s.host);
  EXPECT_EQ(s.model.Thumb(), thumb);
  EXPECT_EQ(s.host.events, events);
}

TEST(SliderModel, HoverLightsTheThumbAndHoldsTheMouseUntilItLeaves) {
  VolumeSlider s;
  s.model.MouseMove({20, 8}, s.host);
  EXPECT_TRUE(s.model.Hover());
  EXPECT_TRUE(s.host.captured);
  s.model.MouseMove({70, 8}, s.host);
  EXPECT_FALSE(s.model.Hover());
  EXPECT_FALSE(s.host.captured);
  EXPECT_EQ(s.model.Thumb(), 16) << "moving without the button never moves the thumb";
  EXPECT_EQ(s.host.Posts(), 0);
}

TEST(SliderModel, ButtonDownOutsideTheTrackDoesNothing) {
  VolumeSlider s;
  s.model.ButtonDown({8, 8}, s.host);  // on the icon
  EXPECT_FALSE(s.model.Dragging());
  EXPECT_TRUE(s.host.events.empty());
  s.model.ButtonUp({8, 8}, s.host);
  EXPECT_TRUE(s.host.events.empty());
}

TEST(SliderModel, LosingTheMouseEndsADrag) {
  VolumeSlider s;
  s.model.ButtonDown({60, 8}, s.host);
  ASSERT_TRUE(s.model.Dragging());
  s.model.CaptureLost(s.host);
  EXPECT_FALSE(s.model.Dragging());
  EXPECT_FALSE(s.model.Hover());
  s.model.SetFraction(0.0, s.host);
  EXPECT_EQ(s.model.Thumb(), 16) << "the program moves the thumb again";
}

TEST(SliderModel, PageInfoHidesOrSizesTheThumb) {
  struct Case {
    int position, page, total;
    bool visible;
    int thumbSize;
  } const cases[] = {
      {0, 10, 10, false, 16},   // everything fits
      {0, 12, 10, false, 16},
      {0, 0, 0, false, 16},     // an empty list
      {0, 10, 1000, true, 16},  // 4 pixels of page: at least 16
      {0, 100, 400, true, 100},
      {30, 200, 300, true, 266},
      {0, 0, 50, true, 16},
  };
  for (const Case& c : cases) {
    FileSlider s;
    s.model.SetPageInfo(c.position, c.page, c.total, s.host);
    EXPECT_EQ(s.model.Visible(), c.visible) << c.page << "/" << c.total;
    EXPECT_EQ(s.host.shown, c.visible);
    EXPECT_EQ(s.model.ThumbSize(), c.thumbSize) << c.page << "/" << c.total;
  }
}

TEST(SliderModel, PageClicksStepAPageAndStopAtTheEnds) {
  FileSlider s;
  s.model.SetPageInfo(5, 10, 100, s.host);  // thumb 40 pixels
  s.model.SetFraction(5.0 / 90, s.host);
  ASSERT_EQ(s.model.Thumb(), 20);
  // Before the thumb while the list is within its first page: (5 − 10) / 90 is clamped to the start.
  s.model.ButtonDown({8, 5}, s.host);
  EXPECT_EQ(s.model.Thumb(), 0);
  EXPECT_DOUBLE_EQ(s.model.Fraction(), 0.0);
  EXPECT_EQ(s.host.Posts(), 1);
  EXPECT_FALSE(s.model.Dragging()) << "a page click never drags";
  // After the thumb: (5 + 10) / 90.
  s.model.ButtonDown({8, 300}, s.host);
  EXPECT_EQ(s.model.Thumb(), 60);
  EXPECT_EQ(s.host.Posts(), 2);
  // Past the last page: the end.
  s.model.SetPageInfo(85, 10, 100, s.host);
  s.model.ButtonDown({8, 390}, s.host);
  EXPECT_EQ(s.model.Thumb(), 360);
}

TEST(SliderModel, PagingWithoutAScrollStateDoesNothing) {
  FileSlider s;
  s.model.ButtonDown({8, 200}, s.host);
  EXPECT_TRUE(s.host.events.empty());
}

TEST(SliderModel, ResizeKeepsTheFraction) {
  FileSlider s;
  s.model.SetFraction(0.5, s.host);  // 0 + (384 × 0.5) = 192
  ASSERT_EQ(s.model.Thumb(), 192);
  s.model.Resize(16, 200, s.host);
  EXPECT_EQ(s.model.Track(), (geo::Rect{0, 0, 16, 200}));
  EXPECT_EQ(s.model.Thumb(), 92);
  s.model.Resize(16, 10, s.host);  // shorter than the thumb: it stays at the start
  EXPECT_EQ(s.model.Thumb(), 0);
  EXPECT_DOUBLE_EQ(s.model.Fraction(), 0.0);
}

TEST(SliderModel, ATrackNoLongerThanTheThumbHasFractionZero) {
  SliderModel m;
  FakeHost host(m);
  m.Setup(32, 16, false, false, true);  // track 16..32: no travel
  EXPECT_DOUBLE_EQ(m.Fraction(), 0.0);
  m.SetFraction(0.7, host);
  EXPECT_EQ(m.Thumb(), 16);
  m.Setup(0, 0, true, true, false);  // the file slider before its first size
  m.SetFraction(0.5, host);
  EXPECT_EQ(m.Thumb(), 0);
  EXPECT_DOUBLE_EQ(m.Fraction(), 0.0);
}
