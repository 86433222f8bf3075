#include "browser/TagViewport.h"

#include <algorithm>

int VisibleRowsFor(int areaHeight) { return std::clamp(areaHeight / kRowPitch, 0, kRowWindows); }

int Viewport::ShownRows() const { return std::max(0, std::min(visibleRows, count - first)); }

double Viewport::Fraction() const {
  return MaxFirst() > 0 ? static_cast<double>(first) / MaxFirst() : 0.0;
}

void Viewport::Clamp() {
  if (first >= MaxFirst()) first = MaxFirst();
  if (first < 0) first = 0;
}

int Viewport::ScrollDown() {
  if (visibleRows > ShownRows()) return -1;
  int result = 1;
  if (++first > MaxFirst()) {
    first = 0;
    result = 0;
  }
  Clamp();
  return result;
}

int Viewport::ScrollUp() {
  if (visibleRows > ShownRows()) return -1;
  int result = 1;
  if (--first < 0) {
    first = MaxFirst();
    result = 0;
  }
  Clamp();
  return result;
}

int Viewport::PageDown() {
  if (visibleRows > ShownRows()) return -1;
  int result = 1;
  if (first == MaxFirst()) {
    first = 0;
    result = 0;
  } else if (first + visibleRows > MaxFirst()) {
    first = MaxFirst();
    result = 0;
  } else {
    first += visibleRows;
  }
  Clamp();
  return result;
}

int Viewport::PageUp() {
  if (visibleRows > ShownRows()) return -1;
  int result = 1;
  if (first == 0) {
    first = MaxFirst();
    result = 0;
  } else if (first - visibleRows < 0) {
    first = 0;
    result = 0;
  } else {
    first -= visibleRows;
  }
  Clamp();
  return result;
}

void Viewport::CursorDown() {
  const int lastShown = LastShown();
  if (++cursor > lastShown && ScrollDown() != 1) cursor = first;
  EnsureCursorVisible();
}

void Viewport::CursorUp() {
  if (--cursor < first && ScrollUp() != 1) cursor = LastShown();
  EnsureCursorVisible();
}

// The cursor counts as visible only on a shown row: one row below the last visible one is out of view.
int Viewport::EnsureCursorVisible() {
  if (cursor >= first && cursor < first + visibleRows) return 1;
  CenterOn(cursor);
  return 0;
}

void Viewport::CenterOn(int index) {
  first = index - visibleRows / 2 + 1;
  Clamp();
}

bool Viewport::ScrollToFraction(double fraction) {
  const int old = first;
  first = static_cast<int>(MaxFirst() * fraction);
  Clamp();
  return first != old;
}
