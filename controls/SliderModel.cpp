#include "controls/SliderModel.h"

#include <algorithm>
#include <cmath>

namespace {

bool Contains(const geo::Rect& r, SliderPoint p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

void SliderModel::Setup(int width, int height, bool vertical, bool paging, bool iconShown) {
  m_vertical = vertical;
  m_paging = paging;
  m_iconShown = iconShown;
  LayTrack(width, height);
  m_thumb = Start();
  m_thumbSize = kMinThumbSize;
  m_dragging = m_hover = m_changed = false;
}

void SliderModel::LayTrack(int width, int height) {
  m_track = {0, 0, std::max(width, 0), std::max(height, 0)};
  if (m_iconShown) (m_vertical ? m_track.top : m_track.left) = m_vertical ? m_track.right : m_track.bottom;
}

void SliderModel::Resize(int width, int height, SliderHost& host) {
  const double f = Fraction();
  LayTrack(width, height);
  PlaceAt(f, 0.0);
  host.Redraw();
}

geo::Rect SliderModel::ThumbRect() const {
  if (m_vertical) return {m_track.left, m_thumb, m_track.right, m_thumb + m_thumbSize};
  return {m_thumb, m_track.top, m_thumb + m_thumbSize, m_track.bottom};
}

double SliderModel::Fraction() const {
  const int range = End() - m_thumbSize - Start();
  return range > 0 ? double(m_thumb - Start()) / range : 0.0;
}

int SliderModel::Clamp(int position) const {
  return std::max(Start(), std::min(position, End() - m_thumbSize));
}

bool SliderModel::OnThumb(SliderPoint p) const { return Contains(ThumbRect(), p); }

void SliderModel::PlaceAt(double fraction, double rounding) {
  // Outside 0…1 (a page step before the first page) the thumb stops at the track's ends; NaN counts as 0.
  const double x = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
  const int range = std::max(End() - m_thumbSize - Start(), 0);
  m_thumb = Clamp(Start() + static_cast<int>(x * range + rounding));
}

void SliderModel::MoveThumb(int position, SliderHost& host) {
  m_thumb = Clamp(position);
  host.Redraw();
  m_changed = true;
}

void SliderModel::SetFraction(double x, SliderHost& host) {
  if (m_dragging) return;
  PlaceAt(x, 0.5);
  host.Redraw();
}

void SliderModel::SetPageInfo(int listPosition, int pageSize, int total, SliderHost& host) {
  m_listPosition = listPosition;
  m_pageSize = pageSize;
  m_total = total;
  if (total <= 0 || pageSize >= total) {
    m_visible = false;
    host.ShowSlider(false);
    return;
  }
  m_visible = true;
  host.ShowSlider(true);
  const double ratio = double(std::max(pageSize, 0)) / total;
  m_thumbSize = std::max(kMinThumbSize, static_cast<int>(ratio * (End() - Start())));
  m_thumb = Clamp(m_thumb);
  host.Redraw();
}

void SliderModel::ButtonDown(SliderPoint p, SliderHost& host) {
  m_down = p;
  if (!Contains(m_track, p)) return;
  const int a = Along(p);
  if (OnThumb(p)) {
    m_dragging = true;
    m_grab = a - m_thumb;
    host.CaptureMouse();
    return;
  }
  if (!m_paging) {
    m_grab = m_thumbSize / 2;
    MoveThumb(a - m_grab, host);
    m_dragging = true;
    m_hover = true;
    host.CaptureMouse();
    host.Redraw();
    return;
  }
  const int span = m_total - m_pageSize;
  if (span <= 0) return;
  const int target = a < m_thumb ? m_listPosition - m_pageSize : m_listPosition + m_pageSize;
  SetFraction(double(target) / span, host);
  m_changed = true;
  host.Redraw();
}

void SliderModel::MouseMove(SliderPoint p, SliderHost& host) {
  const int a = Along(p);
  if (OnThumb(p)) {
    m_hover = true;
    host.Redraw();
    host.CaptureMouse();
    if (m_dragging) MoveThumb(a - m_grab, host);
  } else if (m_dragging) {
    MoveThumb(a - m_grab, host);
  } else {
    m_hover = false;
    host.Redraw();
    host.ReleaseMouse();
  }
}

void SliderModel::ButtonUp(SliderPoint p, SliderHost& host) {
  if (!m_dragging) return;
  m_dragging = false;
  if (!OnThumb(p)) {
    m_hover = false;
    host.Redraw();
  }
  if (p == m_down) {
    m_hover = true;
    MoveThumb(Along(p) - m_thumbSize / 2, host);
    host.Redraw();
  }
}

void SliderModel::CaptureLost(SliderHost& host) {
  if (!m_dragging && !m_hover) return;
  m_dragging = m_hover = false;
  host.Redraw();
}

bool SliderModel::TakeChange() {
  const bool changed = m_changed;
  m_changed = false;
  return changed;
}
