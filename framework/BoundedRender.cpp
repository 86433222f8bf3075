#include "framework/BoundedRender.h"

#include <memory>
#include <mutex>

#include "framework/Handles.h"
#include "framework/Platform.h"

// What the caller and the rendering thread share. The graph belongs to whichever side `finished` and
// `abandoned` say: the thread while it renders, then the caller, or the thread again once given up.
struct RenderJob {
  std::mutex lock;
  fw::ComPtr<IGraphBuilder> graph;
  std::wstring path;
  fw::UniqueHandle done;
  HMODULE module = nullptr;  // a reference that keeps this code loaded while the thread runs
  HRESULT result = E_PENDING;
  bool finished = false;
  bool abandoned = false;
  HWND notify = nullptr;  // told by a posted message when the render has ended, unless abandoned
  UINT message = 0;
};

namespace {

// Wine's graph manager is registered "Both" but has no free-threaded marshaler: marshalled to this
// thread's apartment it would become a proxy that calls back into the caller's, which answers sent
// messages only and could not serve it. Its methods take the graph's own lock and keep no apartment
// state, so the thread calls the caller's pointer directly, as the background releasers do.
DWORD WINAPI RenderThread(void* param) {
  std::unique_ptr<std::shared_ptr<RenderJob>> handed(static_cast<std::shared_ptr<RenderJob>*>(param));
  std::shared_ptr<RenderJob> job = std::move(*handed);
  handed.reset();
  const HMODULE module = job->module;
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  const HRESULT hr = job->graph->RenderFile(job->path.c_str(), nullptr);
  fw::ComPtr<IGraphBuilder> givenUp;
  {
    std::lock_guard<std::mutex> hold(job->lock);
    job->result = hr;
    job->finished = true;
    if (job->abandoned)
      givenUp = std::move(job->graph);
    else if (job->notify)
      ::PostMessageA(job->notify, job->message, 0, 0);
  }
  ::SetEvent(job->done.Get());
  givenUp.Reset();
  job.reset();
  if (SUCCEEDED(com)) ::CoUninitialize();
  ::FreeLibraryAndExitThread(module, 0);
}

}  // namespace

bool WaitHandlingSentMessages(HANDLE handle, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  MSG msg;
  // Sent messages are handled inside PeekMessage; PM_NOREMOVE leaves whatever was posted in the queue.
  (void)::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  for (;;) {
    const ULONGLONG now = ::GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    const DWORD woke = ::MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
    if (woke == WAIT_OBJECT_0) return true;
    if (woke != WAIT_OBJECT_0 + 1) return false;
    (void)::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    // A stream of sent messages does not stretch the bound.
    if (left == 0) return ::WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
  }
}

namespace {

// Starts the job's thread with the graph; on failure the graph is handed back.
HRESULT StartRenderThread(const std::shared_ptr<RenderJob>& job, fw::ComPtr<IGraphBuilder>& graph,
                          const std::wstring& path) {
  job->done.Reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!job->done) return HRESULT_FROM_WIN32(::GetLastError());
  if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&RenderThread),
                            &job->module))
    return HRESULT_FROM_WIN32(::GetLastError());
  job->path = path;
  job->graph = std::move(graph);
  auto param = std::make_unique<std::shared_ptr<RenderJob>>(job);
  fw::UniqueHandle thread(::CreateThread(nullptr, 0, RenderThread, param.get(), 0, nullptr));
  if (!thread) {
    const HRESULT hr = HRESULT_FROM_WIN32(::GetLastError());
    ::FreeLibrary(job->module);
    graph = std::move(job->graph);
    return hr;
  }
  (void)param.release();  // the thread owns it now
  return S_OK;
}

}  // namespace

HRESULT RenderFileBounded(fw::ComPtr<IGraphBuilder>& graph, const std::wstring& path, DWORD limitMs) {
  if (!graph) return E_POINTER;
  if (!fw::RunningUnderWine()) return graph->RenderFile(path.c_str(), nullptr);

  auto job = std::make_shared<RenderJob>();
  if (HRESULT hr = StartRenderThread(job, graph, path); FAILED(hr)) return hr;
  (void)WaitHandlingSentMessages(job->done.Get(), limitMs);
  std::lock_guard<std::mutex> hold(job->lock);
  if (!job->finished) {
    job->abandoned = true;
    return VFW_E_TIMEOUT;
  }
  graph = std::move(job->graph);
  return job->result;
}

CBackgroundRender::CBackgroundRender() = default;

CBackgroundRender::~CBackgroundRender() { GiveUp(); }

HRESULT CBackgroundRender::Start(fw::ComPtr<IGraphBuilder> graph, const std::wstring& path, HWND window,
                                 UINT message) {
  GiveUp();
  if (!graph) return E_POINTER;
  auto job = std::make_shared<RenderJob>();
  job->notify = window;
  job->message = message;
  if (!fw::RunningUnderWine()) {
    job->result = graph->RenderFile(path.c_str(), nullptr);
    job->graph = std::move(graph);
    job->finished = true;
    ::PostMessageA(window, message, 0, 0);
  } else if (HRESULT hr = StartRenderThread(job, graph, path); FAILED(hr)) {
    return hr;
  }
  m_job = std::move(job);
  return S_OK;
}

HRESULT CBackgroundRender::Finish(fw::ComPtr<IGraphBuilder>& graph) {
  if (!m_job) return E_PENDING;
  std::shared_ptr<RenderJob> job = m_job;
  std::lock_guard<std::mutex> hold(job->lock);
  if (!job->finished) return E_PENDING;
  graph = std::move(job->graph);
  m_job.reset();
  return job->result;
}

void CBackgroundRender::GiveUp() {
  if (!m_job) return;
  fw::ComPtr<IGraphBuilder> rendered;
  {
    std::lock_guard<std::mutex> hold(m_job->lock);
    m_job->abandoned = true;
    // A render that has ended left the graph here: released below, outside the lock.
    if (m_job->finished) rendered = std::move(m_job->graph);
  }
  m_job.reset();
}
