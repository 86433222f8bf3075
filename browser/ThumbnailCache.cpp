#include "browser/ThumbnailCache.h"

#include <new>
#include <optional>
#include <utility>

CThumbnailCache::CThumbnailCache() {
  // Without the thread the rows show no thumbnails; Get still answers and records.
  (void)Start(&CThumbnailCache::RunPass, this, 100, false);
}

void CThumbnailCache::SetNotifyWindow(HWND window, UINT message) {
  m_notifyMessage = message;
  m_notifyWindow = window;
}

std::shared_ptr<const fw::Bitmap> CThumbnailCache::Get(HWND requester, const std::wstring& path, int width,
                                                       int height) {
  try {
    std::lock_guard<std::mutex> lock(m_lock);
    if (const auto* thumb = m_book.Ask(requester, path, width, height)) return *thumb;
    if (m_book.PendingCount() == 0) return nullptr;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  Wake();
  return nullptr;
}

std::vector<std::wstring> CThumbnailCache::TakeFinished() {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_book.TakeFinished();
}

std::size_t CThumbnailCache::PendingCount() {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_book.PendingCount();
}

void CThumbnailCache::Destroy() {
  Stop();
  std::lock_guard<std::mutex> lock(m_lock);
  m_book.Clear();
}

fw::Bitmap CThumbnailCache::MakeThumbnail(CPictureFile& picture, HWND target, const std::wstring& path, int width,
                                          int height) {
  std::optional<fw::MemoryDC> dc;
  fw::Bitmap bitmap;
  {
    // The row's device context is given back before the slow decode.
    fw::WindowDC row(::IsWindow(target) ? target : nullptr);
    if (!row) return {};
    dc.emplace(row.Get());
    bitmap.Reset(::CreateCompatibleBitmap(row.Get(), width, height));
  }
  if (!*dc || !bitmap) return {};
  fw::SelectGuard select(dc->Get(), bitmap.Get());
  // Averaged rather than every n-th pixel: a picture shrunk tenfold stays recognisable.
  ::SetStretchBltMode(dc->Get(), HALFTONE);
  ::SetBrushOrgEx(dc->Get(), 0, 0, nullptr);
  if (picture.Load(path)) picture.Render(dc->Get(), 0, 0, width, height);
  picture.Free();
  return bitmap;
}

void CThumbnailCache::RunPass(void* self) { static_cast<CThumbnailCache*>(self)->MakeNewest(); }

void CThumbnailCache::MakeNewest() {
  std::optional<Book::Request> request;
  try {
    std::lock_guard<std::mutex> lock(m_lock);
    request = m_book.TakeNewest();
  } catch (const std::bad_alloc&) {
    return;
  }
  if (!request) {
    IdlePause(5);
    return;
  }
  fw::Bitmap bitmap = MakeThumbnail(m_picture, request->requester, request->path, request->width, request->height);
  bool stored = false;
  try {
    std::shared_ptr<const fw::Bitmap> thumb;
    if (bitmap) thumb = std::make_shared<const fw::Bitmap>(std::move(bitmap));
    std::lock_guard<std::mutex> lock(m_lock);
    if (thumb) {
      m_book.Store(request->path, std::move(thumb));
      stored = true;
    } else {
      m_book.Abandon();
    }
  } catch (const std::bad_alloc&) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_book.Abandon();
  }
  if (stored) Notify();
}

void CThumbnailCache::Notify() {
  if (HWND window = m_notifyWindow) ::PostMessageA(window, m_notifyMessage, 0, 0);
}
