#pragma once
// Move-only owners of Win32 handles. Each wrapper has exactly one owner and releases its handle once;
// Close/Unmap report whether the release succeeded for callers that must know.

#include <utility>

#include "framework/Win32.h"

namespace fw {

// Kernel object handle; both null and INVALID_HANDLE_VALUE mean "none".
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : m_h(Valid(h) ? h : nullptr) {}
  UniqueHandle(UniqueHandle&& o) noexcept : m_h(std::exchange(o.m_h, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) {
      Close();
      m_h = std::exchange(o.m_h, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Close(); }

  HANDLE Get() const { return m_h; }
  explicit operator bool() const { return m_h != nullptr; }
  void Reset(HANDLE h = nullptr) {
    Close();
    m_h = Valid(h) ? h : nullptr;
  }
  HANDLE Release() { return std::exchange(m_h, nullptr); }
  // Closes the handle if one is held; true only if one was held and CloseHandle succeeded.
  bool Close() {
    if (!m_h) return false;
    return ::CloseHandle(std::exchange(m_h, nullptr)) != FALSE;
  }

 private:
  static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  HANDLE m_h = nullptr;
};

// A view of a file mapping.
class MappedView {
 public:
  MappedView() = default;
  explicit MappedView(void* p) : m_p(p) {}
  MappedView(MappedView&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
  MappedView& operator=(MappedView&& o) noexcept {
    if (this != &o) {
      Unmap();
      m_p = std::exchange(o.m_p, nullptr);
    }
    return *this;
  }
  MappedView(const MappedView&) = delete;
  MappedView& operator=(const MappedView&) = delete;
  ~MappedView() { Unmap(); }

  void* Get() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  // Unmaps the view if one is held; true only if one was held and UnmapViewOfFile succeeded.
  bool Unmap() {
    if (!m_p) return false;
    return ::UnmapViewOfFile(std::exchange(m_p, nullptr)) != FALSE;
  }

 private:
  void* m_p = nullptr;
};

// A GDI object (bitmap, font, brush, pen, region, palette) deleted with DeleteObject.
template <class T>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(T h) : m_h(h) {}
  GdiObject(GdiObject&& o) noexcept : m_h(std::exchange(o.m_h, nullptr)) {}
  GdiObject& operator=(GdiObject&& o) noexcept {
    if (this != &o) Reset(std::exchange(o.m_h, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  T Get() const { return m_h; }
  explicit operator bool() const { return m_h != nullptr; }
  void Reset(T h = nullptr) {
    if (m_h) ::DeleteObject(m_h);
    m_h = h;
  }
  T Release() { return std::exchange(m_h, nullptr); }

 private:
  T m_h = nullptr;
};

using Bitmap = GdiObject<HBITMAP>;
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Region = GdiObject<HRGN>;
using Palette = GdiObject<HPALETTE>;

// GetDC / ReleaseDC of a window (or of the screen for a null window).
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (m_dc) ::ReleaseDC(m_hwnd, m_dc);
  }
  HDC Get() const { return m_dc; }
  explicit operator bool() const { return m_dc != nullptr; }

 private:
  HWND m_hwnd;
  HDC m_dc;
};

// BeginPaint / EndPaint for WM_PAINT.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::BeginPaint(hwnd, &m_ps)) {}
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() { ::EndPaint(m_hwnd, &m_ps); }
  HDC Get() const { return m_dc; }
  const PAINTSTRUCT& Info() const { return m_ps; }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_ps{};
  HDC m_dc;
};

// A memory device context compatible with another one.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatible) : m_dc(::CreateCompatibleDC(compatible)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (m_dc) ::DeleteDC(m_dc);
  }
  HDC Get() const { return m_dc; }
  explicit operator bool() const { return m_dc != nullptr; }

 private:
  HDC m_dc;
};

// Selects an object into a DC and puts the previous one back when it ends. It keeps the DC so that the
// restore always reaches the right one.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(obj ? ::SelectObject(dc, obj) : nullptr) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (m_old) ::SelectObject(m_dc, m_old);
  }

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

// A movable global block until a stream takes it over.
class GlobalBlock {
 public:
  explicit GlobalBlock(SIZE_T bytes) : m_h(::GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  ~GlobalBlock() {
    if (m_h) ::GlobalFree(m_h);
  }
  HGLOBAL Get() const { return m_h; }
  HGLOBAL Release() {
    HGLOBAL h = m_h;
    m_h = nullptr;
    return h;
  }

 private:
  HGLOBAL m_h;
};

}  // namespace fw
