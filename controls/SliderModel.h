#pragma once
// The behaviour of a skinned slider without its window: track and thumb geometry, the fraction, and the
// reaction to the mouse, to SetFraction and to the scroll state of a paging slider. The window (or a test)
// supplies the effects through SliderHost. Win32-free.
//
// The thumb moves along the track between its start and its end less the thumb size; its fraction is
// (thumb − start) ÷ (end − thumb size − start). A user move marks the slider changed after it redraws,
// so the change is reported by the next redraw (SliderHost::Redraw takes it with TakeChange).

#include "framework/Geometry.h"

struct SliderPoint {
  int x = 0, y = 0;
  friend constexpr bool operator==(const SliderPoint&, const SliderPoint&) = default;
};

class SliderHost {
 public:
  // Draws the slider now; reports a pending change (TakeChange) to the owner while doing so.
  virtual void Redraw() = 0;
  virtual void CaptureMouse() = 0;
  // Releases the mouse only if the slider holds it.
  virtual void ReleaseMouse() = 0;
  virtual void ShowSlider(bool visible) = 0;

 protected:
  ~SliderHost() = default;
};

inline constexpr int kMinThumbSize = 16;

class SliderModel {
 public:
  // Lays the track over a client area of width × height; the icon square (as wide as the slider is thick)
  // comes first when shown. The thumb goes back to the track start.
  void Setup(int width, int height, bool vertical, bool paging, bool iconShown);
  // A new client size, keeping the fraction.
  void Resize(int width, int height, SliderHost& host);

  const geo::Rect& Track() const { return m_track; }
  geo::Rect ThumbRect() const;
  int Thumb() const { return m_thumb; }
  int ThumbSize() const { return m_thumbSize; }
  int Thickness() const { return m_vertical ? m_track.Width() : m_track.Height(); }
  bool Vertical() const { return m_vertical; }
  bool Paging() const { return m_paging; }
  bool IconShown() const { return m_iconShown; }
  bool Dragging() const { return m_dragging; }
  bool Hover() const { return m_hover; }
  bool Visible() const { return m_visible; }
  double Fraction() const;

  // The program's move: ignored while the user drags; never reported as a change.
  void SetFraction(double x, SliderHost& host);
  // Scroll state of a paging slider: hides it when the whole list fits, else sizes the thumb to the page.
  void SetPageInfo(int listPosition, int pageSize, int total, SliderHost& host);

  void ButtonDown(SliderPoint p, SliderHost& host);
  void MouseMove(SliderPoint p, SliderHost& host);
  void ButtonUp(SliderPoint p, SliderHost& host);
  // The mouse was taken by another window: a drag ends where it is.
  void CaptureLost(SliderHost& host);

  // True once for each change the user made; clears it.
  bool TakeChange();

 private:
  int Start() const { return m_vertical ? m_track.top : m_track.left; }
  int End() const { return m_vertical ? m_track.bottom : m_track.right; }
  int Along(SliderPoint p) const { return m_vertical ? p.y : p.x; }
  int Clamp(int position) const;
  bool OnThumb(SliderPoint p) const;
  void LayTrack(int width, int height);
  // rounding: 0.5 rounds to the nearest pixel, 0 truncates.
  void PlaceAt(double fraction, double rounding);
  void MoveThumb(int position, SliderHost& host);

  geo::Rect m_track;
  int m_thumb = 0;
  int m_thumbSize = kMinThumbSize;
  int m_grab = 0;
  SliderPoint m_down;
  bool m_vertical = false, m_paging = false, m_iconShown = false;
  bool m_dragging = false, m_hover = false, m_changed = false;
  bool m_visible = true;
  int m_listPosition = 0, m_pageSize = 0, m_total = 0;
};
