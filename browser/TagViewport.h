#pragma once
// The list's window onto the current list: the first visible index and the cursor of one list mode over
// a column of rows, with every scroll, page and cursor move. Win32-free; the tag list applies the result
// to its row windows.
//
// Scroll results: 1 moved normally, 0 wrapped or stopped at an end, -1 the list is shorter than the rows
// (nothing moves).

constexpr int kRowPitch = 40;   // a 36-pixel row and a 4-pixel gap
constexpr int kRowHeight = 36;
constexpr int kRowWindows = 64;  // row windows that exist; a taller area shows no more rows than these

// Rows that fit an area of the given height, at most kRowWindows.
int VisibleRowsFor(int areaHeight);

struct Viewport {
  int count = 0;        // entries of the current list
  int visibleRows = 0;  // rows the area holds
  int first = 0;        // first visible index
  int cursor = 0;       // cursor index (may lie outside the list after it shrank)

  int ShownRows() const;
  int LastShown() const { return first + ShownRows() - 1; }
  int MaxFirst() const { return count - visibleRows; }
  // The list is longer than the area: the file slider is shown.
  bool NeedsSlider() const { return count > ShownRows(); }
  // Where the slider's thumb stands: first ÷ (count − visible rows); 0 when nothing scrolls.
  double Fraction() const;

  // The first visible index brought into 0 … count − visible rows.
  void Clamp();
  int ScrollDown();
  int ScrollUp();
  int PageDown();
  int PageUp();
  // The cursor one down (wrapping from the last entry to the first) or up (from the first to the last),
  // the view following it.
  void CursorDown();
  void CursorUp();
  // 1 when the cursor is in view; otherwise the view is centred on it and clamped, and the result is 0.
  int EnsureCursorVisible();
  // The view centred on index (clamped). The cursor does not move.
  void CenterOn(int index);
  // The first visible index for a slider fraction 0 … 1; true when it changed.
  bool ScrollToFraction(double fraction);
};
