#pragma once
// Double buffering: a memory DC with a bitmap of the client size; the caller draws into Dc() and
// Present copies the whole picture to the window in one BitBlt.

#include <optional>
#include <string>

#include "framework/Handles.h"

namespace fw {

class BackBuffer {
 public:
  BackBuffer(HDC target, int width, int height)
      : m_width(width), m_height(height), m_dc(target),
        m_bitmap(::CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)) {
    if (m_dc && m_bitmap) m_select.emplace(m_dc.Get(), m_bitmap.Get());
  }
  bool Ok() const { return m_select.has_value(); }
  HDC Dc() const { return m_dc.Get(); }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  void Present(HDC target, int x = 0, int y = 0) const {
    if (Ok()) ::BitBlt(target, x, y, m_width, m_height, m_dc.Get(), 0, 0, SRCCOPY);
  }

 private:
  int m_width, m_height;
  MemoryDC m_dc;
  Bitmap m_bitmap;
  // Declared last so that it ends first: the bitmap is deselected before it is deleted.
  std::optional<SelectGuard> m_select;
};

inline void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  ::SetBkColor(dc, colour);
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// A font of the face at a size in tenths of a point. The skin is pixel art of fixed size, drawn pixel for
// pixel on a screen of any DPI: its points are taken at 96 dots per inch, as it was made. Text drawn over
// a colour key asks for NONANTIALIASED_QUALITY, whose edges never blend with the key.
inline Font PointFont(const std::string& face, int tenthsOfPoint, DWORD quality = DEFAULT_QUALITY) {
  constexpr int kSkinDpi = 96;
  LOGFONTA lf{};
  lf.lfHeight = -::MulDiv(tenthsOfPoint, kSkinDpi, 720);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfQuality = static_cast<BYTE>(quality);
  ::lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return Font(::CreateFontIndirectA(&lf));
}

inline int DrawTextOf(HDC dc, const std::string& text, RECT* r, UINT format) {
  return ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), r, format);
}
inline int DrawTextOf(HDC dc, const std::wstring& text, RECT* r, UINT format) {
  return ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), r, format);
}

// Text with a one-pixel outline: four times in the frame colour, moved left, up, right and down, then in
// the text colour. The DC's font and background mode are the caller's. A wide text shows names the code
// page cannot hold.
template <class Text>
void DrawOutlinedText(HDC dc, const Text& text, const RECT& r, UINT format, COLORREF colour, COLORREF frame) {
  static constexpr POINT kOffsets[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
  ::SetTextColor(dc, frame);
  for (POINT o : kOffsets) {
    RECT moved{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
    DrawTextOf(dc, text, &moved, format);
  }
  ::SetTextColor(dc, colour);
  RECT plain = r;
  DrawTextOf(dc, text, &plain, format);
}

}  // namespace fw
