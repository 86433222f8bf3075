#pragma once
// Plain rectangle arithmetic shared by the layout rules; Win32-free so the rules build natively.

namespace geo {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  int cx = 0, cy = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

// A rectangle of size w × h centred in the area a (halves rounded toward zero).
constexpr Rect CentreIn(const Rect& a, int w, int h) {
  int left = a.left + (a.Width() - w) / 2;
  int top = a.top + (a.Height() - h) / 2;
  return {left, top, left + w, top + h};
}

// A rectangle of size w × h centred on the owner's rectangle, then moved into the work area where it would
// stick out (its left and top edges win when it is larger than the area).
constexpr Rect CentreOver(const Rect& owner, int w, int h, const Rect& work) {
  Rect r = CentreIn(owner, w, h);
  int dx = 0, dy = 0;
  if (r.right > work.right) dx = work.right - r.right;
  if (r.left + dx < work.left) dx = work.left - r.left;
  if (r.bottom > work.bottom) dy = work.bottom - r.bottom;
  if (r.top + dy < work.top) dy = work.top - r.top;
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace geo
