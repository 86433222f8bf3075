#pragma once
// Double buffering: a memory DC with a bitmap of the client size; the caller draws into Dc() and
// Present copies the whole picture to the window in one BitBlt.

#include <optional>

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

}  // namespace fw
