#include "framework/VideoRenderer.h"

#include "framework/Platform.h"

const CLSID kClsidGdiVideoRenderer = {0x70e102b0, 0x5556, 0x11ce, {0x97, 0xc0, 0x00, 0xaa, 0x00, 0x55, 0x59, 0x5a}};

bool NeedsGdiVideoRenderer() { return fw::RunningUnderWine(); }

void CVideoRendererChoice::Prepare(IGraphBuilder* graph) {
  m_inUse = false;
  m_renderer.Reset();
  if (!graph || !NeedsGdiVideoRenderer()) return;
  if (FAILED(::CoCreateInstance(kClsidGdiVideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                m_renderer.PutVoid())))
    return;
  if (FAILED(graph->AddFilter(m_renderer.Get(), L"Video Renderer"))) m_renderer.Reset();
}

void CVideoRendererChoice::Finish(IGraphBuilder* graph) {
  if (!m_renderer) return;
  bool connected = false;
  fw::ComPtr<IEnumPins> pins;
  if (SUCCEEDED(m_renderer->EnumPins(pins.Put()))) {
    fw::ComPtr<IPin> pin;
    while (!connected && pins->Next(1, pin.Put(), nullptr) == S_OK) {
      fw::ComPtr<IPin> peer;
      connected = SUCCEEDED(pin->ConnectedTo(peer.Put())) && peer;
    }
  }
  if (!connected) (void)graph->RemoveFilter(m_renderer.Get());
  m_inUse = connected;
  m_renderer.Reset();  // the graph holds it while it is in use
}
