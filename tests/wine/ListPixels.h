#pragma once
// What the file list's title bar shows, judged by pixels against a reference drawing.

#include "config/SkinDefinition.h"
#include "framework/Gdi.h"
#include "wine/Pixels.h"

namespace wt {

// Whether the bar shows a short text as drawn literally in the skin's title font, judged by which pixels
// of the bar's left 200 (where no switch stands) hold ink. Text is a code-page or a wide string.
template <class Text>
bool TitleBarShows(HWND bar, const CSkinDefinition& skin, const Text& text) {
  RECT client;
  ::GetClientRect(bar, &client);
  const int w = 200, h = client.bottom;
  PixelTarget shown(w, h), drawn(w, h, RGB(0, 0, 0));
  if (!shown.CopyFrom(bar)) return false;
  const fw::Font font = fw::PointFont(skin.listTitleFont, skin.listTitleFontSize, NONANTIALIASED_QUALITY);
  fw::SelectGuard use(drawn.Dc(), font.Get());
  ::SetBkMode(drawn.Dc(), TRANSPARENT);
  fw::DrawOutlinedText(drawn.Dc(), text, RECT{4, 0, w, h}, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP,
                       RGB(255, 255, 255), RGB(128, 128, 128));
  const COLORREF key = shown.At(0, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((shown.At(x, y) != key) != (drawn.At(x, y) != RGB(0, 0, 0))) return false;
  return true;
}

}  // namespace wt
