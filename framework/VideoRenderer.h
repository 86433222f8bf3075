#pragma once
// Which video renderer a graph gets. Under Wine the system's default renderers draw through Direct3D,
// and with Wine's OpenGL back end a video window that is a child of another window is drawn off screen:
// the picture stays black unless the prefix was told to render Direct3D through GDI. The old GDI video
// renderer draws into its window with GDI and shows in any prefix, so under Wine a graph is given that
// renderer before the file is rendered; on Windows the system's choice stands. The program's DirectShow
// engine and the stand-in components share this.

#include <dshow.h>

#include "framework/Com.h"

// CLSID_VideoRenderer, the GDI video renderer.
extern const CLSID kClsidGdiVideoRenderer;

class CVideoRendererChoice {
 public:
  // Under Wine: adds the GDI renderer to the graph, so that rendering the file connects the video to
  // it. Elsewhere nothing.
  void Prepare(IGraphBuilder* graph);
  // After rendering: takes the renderer out again when nothing was connected to it (a file without
  // video), so that the graph does not claim a video window it does not have.
  void Finish(IGraphBuilder* graph);
  // Whether the GDI renderer was added and is in use.
  bool UsesGdiRenderer() const { return m_inUse; }

 private:
  fw::ComPtr<IBaseFilter> m_renderer;
  bool m_inUse = false;
};

// True when the platform's default video renderers cannot be seen in a child window (Wine).
bool NeedsGdiVideoRenderer();
