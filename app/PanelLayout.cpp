#include "app/PanelLayout.h"

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
