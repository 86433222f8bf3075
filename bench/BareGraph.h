#pragma once
// A filter graph built with the bare DirectShow calls the engine makes, with the video renderer it
// chooses, for the benchmarks that hold the engine's opens against them.

#include <windows.h>

#include <dshow.h>

#include <string>

#include "bench/BenchResources.h"
#include "framework/Com.h"
#include "framework/VideoRenderer.h"

namespace bench {

struct BareGraph {
  fw::ComPtr<IGraphBuilder> graph;
  fw::ComPtr<IMediaControl> control;
  fw::ComPtr<IVideoWindow> video;
  bool owned = false;

  // Renders the file with its video in window and runs it for runMs; false when a call fails. Under Wine
  // the graph gets the GDI video renderer before the render, as the engine's graphs do.
  bool Open(const std::wstring& path, HWND window, double runMs = 20) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.PutVoid())))
      return false;
    if (NeedsGdiVideoRenderer()) {
      fw::ComPtr<IBaseFilter> renderer;
      if (FAILED(CoCreateInstance(kClsidGdiVideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  renderer.PutVoid())) ||
          FAILED(graph->AddFilter(renderer.Get(), L"Video Renderer")))
        return false;
    }
    if (FAILED(graph->RenderFile(path.c_str(), nullptr))) return false;
    if (FAILED(graph->QueryInterface(IID_IMediaControl, control.PutVoid())) ||
        FAILED(graph->QueryInterface(IID_IVideoWindow, video.PutVoid())))
      return false;
    owned = SUCCEEDED(video->put_Owner(reinterpret_cast<OAHWND>(window)));
    (void)control->Run();
    PumpFor(runMs);
    return true;
  }
  // Stops the graph and takes its video window from the owner.
  void Stop() {
    (void)control->Stop();
    if (owned) {
      (void)video->put_Visible(OAFALSE);
      (void)video->put_Owner(0);
    }
  }
};

}  // namespace bench
