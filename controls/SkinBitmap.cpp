#include "controls/SkinBitmap.h"

#include <vector>

#include "controls/BmpHeader.h"

namespace {

// Reads the headers and the size of a file, and lets only a sound BMP through to the loader.
bool IsSoundBmpFile(const std::string& path) {
  fw::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0) return false;
  char head[kBmpHeadBytes];
  DWORD read = 0;
  if (!::ReadFile(file.Get(), head, sizeof head, &read, nullptr)) return false;
  return CheckBmp(std::string_view(head, read), static_cast<std::uint64_t>(size.QuadPart)).verdict == BmpVerdict::Ok;
}

}  // namespace

bool CSkinBitmap::LoadFromFile(const std::string& path, int frameWidth, int frameCount) {
  ReleaseImage();
  if (path.empty() || !IsSoundBmpFile(path)) return false;
  auto image = static_cast<HBITMAP>(::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
  if (!Adopt(image, frameWidth, frameCount)) return false;
  m_path = path;
  return true;
}

bool CSkinBitmap::LoadFromResource(unsigned resourceId, int frameWidth, int frameCount) {
  ReleaseImage();
  auto image = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!Adopt(image, frameWidth, frameCount)) return false;
  m_resourceId = resourceId;
  return true;
}

bool CSkinBitmap::LoadFromFileOrResource(const std::string& path, unsigned resourceId, int frameWidth,
                                         int frameCount) {
  return LoadFromFile(path, frameWidth, frameCount) || LoadFromResource(resourceId, frameWidth, frameCount);
}

// Takes the loaded image if it is a DIB section wide enough for the strip, judged by the section's own
// size rather than by what the file's header claimed.
bool CSkinBitmap::Adopt(HBITMAP image, int frameWidth, int frameCount) {
  fw::Bitmap owned(image);
  DIBSECTION ds{};
  if (!owned || ::GetObjectA(owned.Get(), sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits) return false;
  geo::Size size{ds.dsBm.bmWidth, ds.dsBm.bmHeight < 0 ? -ds.dsBm.bmHeight : ds.dsBm.bmHeight};
  if (frameWidth == 0 && frameCount > 0) frameWidth = size.cx / frameCount;
  if (!StripFits(frameWidth, frameCount, size)) return false;
  const DWORD bits = ds.dsBmih.biBitCount;
  const DWORD colours = ds.dsBmih.biClrUsed ? ds.dsBmih.biClrUsed : (bits <= 8 ? 1u << bits : 0);
  m_image = std::move(owned);
  m_size = size;
  m_colours = colours <= 256 ? static_cast<int>(colours) : 0;
  m_frameWidth = frameWidth;
  m_frameCount = frameCount;
  return true;
}

void CSkinBitmap::ReleaseImage() {
  m_select.reset();
  m_dc.reset();
  m_palette.Reset();
  m_image.Reset();
  m_size = {};
  m_colours = 0;
  m_path.clear();
  m_resourceId = 0;
}

std::optional<geo::Size> CSkinBitmap::ImageSize() const {
  if (!m_image) return std::nullopt;
  return m_size;
}

bool CSkinBitmap::PrepareDc(HDC target) {
  if (m_dc) return true;
  m_dc.emplace(target);
  if (!*m_dc) {
    m_dc.reset();
    return false;
  }
  m_select.emplace(m_dc->Get(), m_image.Get());
  return true;
}

// The logical palette of the image (its own colour table, or halftone for deeper images), made once.
HPALETTE CSkinBitmap::PaletteFor(HDC target) {
  if (m_palette) return m_palette.Get();
  if (m_colours > 0) {
    RGBQUAD table[256];
    UINT n = ::GetDIBColorTable(m_dc->Get(), 0, static_cast<UINT>(m_colours), table);
    if (n == 0) return nullptr;
    std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(n);
    for (UINT i = 0; i < n; ++i) lp->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    m_palette.Reset(::CreatePalette(lp));
  } else {
    m_palette.Reset(::CreateHalftonePalette(target));
  }
  return m_palette.Get();
}

std::optional<FrameCopy> CSkinBitmap::PlanDraw(int index, HDC target, int width, int height) {
  if (!m_image || !target) return std::nullopt;
  std::optional<FrameCopy> copy = PlanFrameCopy(index, m_frameWidth, m_frameCount, m_size, width, height);
  if (!copy || !PrepareDc(target)) return std::nullopt;
  return copy;
}

bool CSkinBitmap::DrawFrameKeyed(int index, HDC target, int x, int y, int width, int height, COLORREF key) {
  std::optional<FrameCopy> copy = PlanDraw(index, target, width, height);
  if (!copy) return false;
  return ::TransparentBlt(target, x, y, copy->width, copy->height, m_dc->Get(), copy->sourceX, copy->sourceY,
                          copy->width, copy->height, key) != FALSE;
}

bool CSkinBitmap::DrawFrame(int index, HDC target, int x, int y, int width, int height, DWORD rop) {
  std::optional<FrameCopy> copy = PlanDraw(index, target, width, height);
  if (!copy) return false;
  // Only a palette device needs the image's colours realised; elsewhere the copy maps them itself.
  HPALETTE old = nullptr;
  if (::GetDeviceCaps(target, RASTERCAPS) & RC_PALETTE) {
    if (HPALETTE palette = PaletteFor(target)) {
      old = ::SelectPalette(target, palette, FALSE);
      ::RealizePalette(target);
    }
  }
  ::BitBlt(target, x, y, copy->width, copy->height, m_dc->Get(), copy->sourceX, copy->sourceY, rop);
  if (old) ::SelectPalette(target, old, FALSE);
  return true;
}
