#pragma once
// Rendering a file into a filter graph without waiting for ever. Wine's GStreamer parser can wait for
// ever inside RenderFile on a file whose header is whole but whose data after it is garbage. Under Wine
// the render therefore runs on a thread of its own, in the multithreaded apartment, while the caller
// waits a bounded time and handles only the messages other threads send it (the graph's video renderer
// may have a window of the caller's thread): nothing posted and no input is dispatched, so nothing
// re-enters the caller. A render that runs out of time is given up: its thread keeps the graph and
// releases it if RenderFile ever returns; what the caller holds of the graph's filters (the GDI
// renderer) it may release as usual, since the graph keeps its own references. On Windows the file is
// rendered on the caller's thread. Shared by the program's DirectShow engine and the stand-in components.
// CBackgroundRender does not wait at all: the caller learns of the render's end from a posted message.

#include <memory>
#include <string>

#include <dshow.h>

#include "framework/Com.h"

constexpr DWORD kRenderFileLimitMs = 5000;

// Renders the file into the graph. VFW_E_TIMEOUT: the render was given up and `graph` is empty (its
// last reference belongs to the rendering thread). Otherwise RenderFile's own result, the graph kept.
[[nodiscard]] HRESULT RenderFileBounded(fw::ComPtr<IGraphBuilder>& graph, const std::wstring& path,
                                        DWORD limitMs = kRenderFileLimitMs);

// Waits up to timeoutMs for the handle, meanwhile handling only the messages sent to this thread by
// other threads and processes. True when the handle was signalled.
bool WaitHandlingSentMessages(HANDLE handle, DWORD timeoutMs);

struct RenderJob;

// A render that the caller does not wait for. Under Wine RenderFile runs on a thread of its own, which
// posts the message to the window when it is done; on Windows it runs at Start on the caller's thread
// and the message is posted at once. Destroyed or given up before the end, the graph is left to the
// thread, which releases it if RenderFile ever returns, and nothing is posted.
class CBackgroundRender {
 public:
  CBackgroundRender();
  CBackgroundRender(const CBackgroundRender&) = delete;
  CBackgroundRender& operator=(const CBackgroundRender&) = delete;
  ~CBackgroundRender();

  // Takes the graph and starts rendering the file into it; the message (wParam and lParam 0) reaches
  // window when the render has ended.
  [[nodiscard]] HRESULT Start(fw::ComPtr<IGraphBuilder> graph, const std::wstring& path, HWND window, UINT message);
  bool Running() const { return static_cast<bool>(m_job); }
  // After the message: hands the graph back and returns RenderFile's result. E_PENDING while the render
  // runs (the message may come late, from a render given up since).
  [[nodiscard]] HRESULT Finish(fw::ComPtr<IGraphBuilder>& graph);
  void GiveUp();

 private:
  std::shared_ptr<RenderJob> m_job;
};
