#pragma once
// Files that Wine's media stack opens but cannot play, and can then not let go of. Wine 8 renders a
// RealMedia file into a DirectShow graph but never streams it; such a graph, once paused or run, can be
// neither stopped nor released, and left behind it brings the process down when it exits. Under Wine a
// RealMedia file is therefore not made into a graph at all. Shared by the program's DirectShow engine
// and the stand-in components.

#include <string>

// True under Wine for a file that begins with the RealMedia signature ".RMF".
bool IsRealMediaUnderWine(const std::wstring& path);
