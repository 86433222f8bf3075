#pragma once
// A bitmap strip of the skin: a horizontal row of equal-width frames, loaded from the skin folder or from
// a bitmap resource built into the executable, and drawn one frame at a time.
//
// The image is always a DIB section. A memory DC with the image selected is made at the first draw and
// kept until the image is released, so a draw is one BitBlt (plus the palette steps on a palette device).
// Nothing outside the image is ever read: files are checked before the loader sees them, a strip
// narrower than its frames need is refused, and a draw is cut to the image.

#include <optional>
#include <string>

#include "controls/StripGeometry.h"
#include "framework/Geometry.h"
#include "framework/Handles.h"

class CSkinBitmap {
 public:
  CSkinBitmap() = default;
  CSkinBitmap(const CSkinBitmap&) = delete;
  CSkinBitmap& operator=(const CSkinBitmap&) = delete;
  ~CSkinBitmap() { ReleaseImage(); }

  // Both release any previous image first. On failure the strip is left empty and the geometry as it
  // was; on success the path (or resource id) and the geometry are stored. A frame width of 0 divides the
  // image's width into frameCount frames.
  bool LoadFromFile(const std::string& path, int frameWidth, int frameCount);
  bool LoadFromResource(unsigned resourceId, int frameWidth, int frameCount);
  // The skin's file when it is usable, otherwise the built-in resource.
  bool LoadFromFileOrResource(const std::string& path, unsigned resourceId, int frameWidth, int frameCount);
  // Drops the image and its memory DC; clears path and resource id, keeps the geometry.
  void ReleaseImage();

  bool IsLoaded() const { return static_cast<bool>(m_image); }
  int FrameWidth() const { return m_frameWidth; }
  int FrameCount() const { return m_frameCount; }
  // Width and height of the loaded image; none when nothing is loaded.
  std::optional<geo::Size> ImageSize() const;
  const std::string& FilePath() const { return m_path; }
  unsigned ResourceId() const { return m_resourceId; }

  // Copies width × height pixels from frame index to (x, y) of the target with the raster operation.
  // False, and nothing drawn, for an index outside the strip or when nothing is loaded.
  bool DrawFrame(int index, HDC target, int x, int y, int width, int height, DWORD rop = SRCCOPY);
  // The same, leaving out every pixel of the key colour, so that what the target holds shows through.
  bool DrawFrameKeyed(int index, HDC target, int x, int y, int width, int height, COLORREF key);

 private:
  bool Adopt(HBITMAP image, int frameWidth, int frameCount);
  std::optional<FrameCopy> PlanDraw(int index, HDC target, int width, int height);
  bool PrepareDc(HDC target);
  HPALETTE PaletteFor(HDC target);

  // Declared in this order so that the image is deselected before the DC goes and deleted last.
  fw::Bitmap m_image;
  std::optional<fw::MemoryDC> m_dc;
  std::optional<fw::SelectGuard> m_select;
  fw::Palette m_palette;
  geo::Size m_size;
  int m_colours = 0;  // entries of the colour table the logical palette is made of; 0: more than 256
  std::string m_path;
  unsigned m_resourceId = 0;
  int m_frameWidth = 0;
  int m_frameCount = 0;
};
