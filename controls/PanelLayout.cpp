#include "controls/PanelLayout.h"

#include <algorithm>

PanelPlaces LayoutPanels(const geo::Rect& v, const geo::Rect& p) {
  const int wv = v.Width(), hv = v.Height(), wp = p.Width();

  int x = p.left;
  if (v.left < p.left) x = v.left;
  if (wv > wp || v.right > p.right) x = v.right - kPanelWidth;

  int listLeft = wv > wp ? v.left + 24 : x + 24;
  int listRight = wv > wp ? v.right - 24 : p.right - 24;

  int y, top;
  if (hv >= 292) {
    y = v.bottom - kPanelHeight;
    top = v.top + 48;
  } else {
    int k = std::min(hv, 204);
    y = p.top;
    if (v.top + k < y) y = v.top + k;
    if (v.bottom > p.top + kPanelHeight) y = v.bottom - kPanelHeight;
    top = y - 160;
  }
  return {{x, y, x + kPanelWidth, y + kPanelHeight}, {listLeft, top, listRight, y}};
}

geo::Rect StoredPanelRect(const geo::Rect& stored) {
  constexpr int kReach = 32000;
  const int left = std::clamp(stored.left, -kReach, kReach), top = std::clamp(stored.top, -kReach, kReach);
  // In 64 bits: the stored numbers may be anything.
  const auto extent = [](int from, int to, int most) {
    return static_cast<int>(std::clamp(static_cast<long long>(to) - from, 0LL, static_cast<long long>(most)));
  };
  const int width = extent(stored.left, stored.right, kPanelWidth);
  const int height = extent(stored.top, stored.bottom, kPanelHeight);
  return {left, top, left + width, top + height};
}
