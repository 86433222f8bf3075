#pragma once
// Where the control panel and the file list stand over the player view. Win32-free.

#include "framework/Geometry.h"

constexpr int kPanelWidth = 634;
constexpr int kPanelHeight = 88;

struct PanelPlaces {
  geo::Rect panel;  // control panel window, screen coordinates
  geo::Rect list;   // file list area, screen coordinates
};

// view: the view's client rectangle, panel: the control panel's client rectangle, both in screen
// coordinates. The panel keeps its place where the view lets it and otherwise hugs the view's right and
// bottom edges; the list fills the view above the panel (at least 160 pixels of it in a short view).
PanelPlaces LayoutPanels(const geo::Rect& view, const geo::Rect& panel);

// The panel's place read back from TN.INI: the stored rectangle, its size no larger than the panel's and
// its corner on the coordinate range of the screen, so that a damaged file cannot make a screen-sized or
// unreachable panel.
geo::Rect StoredPanelRect(const geo::Rect& stored);
