// Rendering into a filter graph with a bound: a corrupt file whose parser never returns is given up in
// time without holding up the next graph, and the wait dispatches nothing but sent messages.
#include "framework/BoundedRender.h"

#include <gtest/gtest.h>

#include <thread>

#include "framework/Handles.h"
#include "wine/WineSupport.h"

namespace {

constexpr UINT kSent = WM_APP + 1, kPosted = WM_APP + 2;
int g_sent = 0, g_posted = 0;

LRESULT CALLBACK CountingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kSent) ++g_sent;
  if (msg == kPosted) ++g_posted;
  return ::DefWindowProcA(h, msg, wp, lp);
}

fw::ComPtr<IGraphBuilder> NewGraph() {
  fw::ComPtr<IGraphBuilder> graph;
  EXPECT_EQ(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               graph.PutVoid()),
            S_OK);
  return graph;
}

std::wstring Wide(const std::string& s) {
  std::wstring w(s.size(), L'\0');
  w.resize(static_cast<std::size_t>(
      ::MultiByteToWideChar(CP_ACP, 0, s.c_str(), static_cast<int>(s.size()), w.data(), static_cast<int>(w.size()))));
  return w;
}

}  // namespace

TEST(BoundedRender, FilesThatRenderOrFailAtOnceKeepTheirResultAndGraph) {
  fw::ComScope com;
  ASSERT_TRUE(com.Ok());
  struct Case {
    const char* name;
    bool renders;
  } const cases[] = {
      {"clip.avi", true},    {"truncated.avi", true}, {"tone.wav", true},
      {"random.avi", false}, {"empty.avi", false},    {"missing.avi", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fw::ComPtr<IGraphBuilder> graph = NewGraph();
    ASSERT_TRUE(graph);
    const ULONGLONG start = ::GetTickCount64();
    const HRESULT hr = RenderFileBounded(graph, Wide(wt::MediaPath(c.name)));
    EXPECT_LT(::GetTickCount64() - start, kRenderFileLimitMs);
    EXPECT_EQ(SUCCEEDED(hr), c.renders) << std::hex << hr;
    EXPECT_NE(hr, VFW_E_TIMEOUT);
    EXPECT_TRUE(graph);
  }
}

TEST(BoundedRender, ACorruptVideoIsGivenUpInTimeAndTheNextGraphRenders) {
  wt::RunInChildProcess([] {
    fw::ComScope com;
    fw::ComPtr<IGraphBuilder> graph = NewGraph();
    ASSERT_TRUE(graph);
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(RenderFileBounded(graph, Wide(wt::MediaPath("corrupt.avi"))), VFW_E_TIMEOUT);
    const ULONGLONG took = ::GetTickCount64() - start;
    EXPECT_GE(took, kRenderFileLimitMs);
    EXPECT_LT(took, kRenderFileLimitMs + 2000);
    EXPECT_FALSE(graph) << "a given-up graph belongs to its thread";
    // The parser left waiting holds up no other graph.
    fw::ComPtr<IGraphBuilder> next = NewGraph();
    ASSERT_TRUE(next);
    EXPECT_EQ(RenderFileBounded(next, Wide(wt::MediaPath("clip.avi"))), S_OK);
  });
}

TEST(BoundedRender, TheWaitHandlesSentMessagesAndLeavesPostedOnesQueued) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "TarnBoundedWaitTest";
  ::RegisterClassA(&wc);
  const HWND window = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  fw::UniqueHandle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  g_sent = g_posted = 0;
  std::thread other([&] {
    ::PostMessageA(window, kPosted, 0, 0);
    ::SendMessageA(window, kSent, 0, 0);  // returns only once the waiting thread has handled it
    ::SendMessageA(window, kSent, 0, 0);
    ::SetEvent(event.Get());
  });
  EXPECT_TRUE(WaitHandlingSentMessages(event.Get(), 10000));
  other.join();
  EXPECT_EQ(g_sent, 2);
  EXPECT_EQ(g_posted, 0);
  MSG msg;
  EXPECT_TRUE(::PeekMessageA(&msg, window, kPosted, kPosted, PM_REMOVE));

  // Not signalled: false once the time is up, not before.
  ::ResetEvent(event.Get());
  const ULONGLONG start = ::GetTickCount64();
  EXPECT_FALSE(WaitHandlingSentMessages(event.Get(), 300));
  EXPECT_GE(::GetTickCount64() - start, 290u);
  ::DestroyWindow(window);
}
