#include "playback/ViewGeometry.h"

geo::Rect InitialViewRect(const geo::Rect& stored, const geo::Rect& screen, const geo::Rect& desktop) {
  bool usable = !stored.IsNull() && stored.Width() >= kMinTrackWidth && stored.Height() >= kMinTrackHeight &&
                stored.left < desktop.right && stored.right > desktop.left && stored.top < desktop.bottom &&
                stored.bottom > desktop.top;
  return usable ? stored : geo::CentreIn(screen, kViewDefaultWidth, kViewDefaultHeight);
}
