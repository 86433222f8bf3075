#pragma once
// Filter graphs whose streams never delivered a sample cannot always be stopped: Wine's GStreamer parser
// then waits for its stream threads for ever, in Stop and in the graph's last Release alike. Such graphs
// are stopped and released on a thread of their own, so that the player itself never waits; the thread
// is left to the process's end.

#include <dshow.h>

#include "framework/Com.h"

void ReleaseInBackground(fw::ComPtr<IGraphBuilder> graph);
