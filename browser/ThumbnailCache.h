#pragma once
// The list rows' picture thumbnails. The rows never decode: Get answers at once with a finished bitmap or
// records a request, and the cache's own thread of idle priority makes the thumbnails one at a time,
// newest request first, keeps the 256 made last, and posts a message to the file list window after each
// one. The window then takes the finished paths (TakeFinished) and has the rows that show them repaint, so
// the thread never touches the rows, which belong to the interface thread.
//
// One lock guards the records and is held only for their list and map work, never while a picture is
// decoded or drawn and never while the thread posts; so the interface thread waits for nothing longer.
// Bitmaps are shared: one evicted while a row draws it lives until the row lets go of it.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "browser/ThumbnailBook.h"
#include "browser/WorkerThread.h"
#include "framework/Handles.h"
#include "framework/PictureFile.h"

class CThumbnailCache : public CWorkerThread {
 public:
  static constexpr int kWidth = 44, kHeight = 36;  // what the rows ask for

  CThumbnailCache();  // starts the thread
  ~CThumbnailCache() { Destroy(); }

  // Where the thread reports: after each thumbnail it posts `message` (wParam and lParam 0) to `window`.
  // Set once on the interface thread, before the rows ask.
  void SetNotifyWindow(HWND window, UINT message);
  // Interface thread: the finished bitmap for path, or null (a request is recorded, newest first). The
  // requester is the asking row's window, whose device context the bitmap is made compatible with.
  std::shared_ptr<const fw::Bitmap> Get(HWND requester, const std::wstring& path, int width, int height);
  // Interface thread, on the message: the paths finished since the last call, oldest first.
  std::vector<std::wstring> TakeFinished();
  // Requests waiting for the thread.
  std::size_t PendingCount();
  // Stops the thread, then frees every bitmap and request.
  void Destroy();

  // The work of one thumbnail: a bitmap of the size compatible with the target window (the screen when it
  // is gone) with the picture stretched over all of it; left unpainted when the file does not decode.
  // Empty only when no bitmap can be made.
  static fw::Bitmap MakeThumbnail(CPictureFile& picture, HWND target, const std::wstring& path, int width,
                                  int height);

 private:
  using Book = ThumbnailBook<HWND, std::shared_ptr<const fw::Bitmap>, std::wstring>;

  static void RunPass(void* self);
  void MakeNewest();
  void Notify();

  CPictureFile m_picture;  // the thread's alone
  std::mutex m_lock;
  Book m_book;
  std::atomic<HWND> m_notifyWindow{nullptr};
  std::atomic<UINT> m_notifyMessage{0};
};
