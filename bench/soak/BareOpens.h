#pragma once
// The opens the soak holds the program's entries against: each engine's file opened, played to its end
// and closed with bare calls of its library, nothing of the program's engines or of the view in between.
//   DirectShow: the filter graph calls the engine makes, with the video renderer the engine chooses.
//   QuickTime: the library's movie calls on a window of the benchmark's own (one port for the run).
//   RealPlayer: the control made from its library's class factory and activated in a site of the
//     benchmark's own, driven by dispatch identifier.
//   Picture: the file decoded by the OLE picture loader and drawn once, as the picture engine does.

#include <windows.h>

#include <memory>
#include <string>

namespace soak {

enum class Kind { kDirectShow, kQuickTime, kRealPlayer, kPicture };

const char* KindName(Kind kind);

// What differs from the engine's own DirectShow open, for the bisection of its cost.
struct GraphOptions {
  bool gdiRenderer = true;      // the renderer the engine chooses under Wine, added before the render
  bool renderOnThread = false;  // RenderFile on a thread of its own in the multithreaded apartment
  bool videoWindowSetup = true; // style, message drain, notify window, position and volume
  double holdMs = 0;            // more than 0: stopped after this long instead of at its end
};

// One DirectShow open played to its end (at most limitMs) and closed; false when a call failed or the
// end did not come.
bool BareGraphOpen(const std::wstring& path, HWND window, const GraphOptions& options, double limitMs);

class BareOpens {
 public:
  // Opens go to the window (the view's, as the engines use it); QuickTime is started once here.
  explicit BareOpens(HWND window);
  ~BareOpens();
  BareOpens(const BareOpens&) = delete;
  BareOpens& operator=(const BareOpens&) = delete;

  // One open of the file played to its end and closed; false with a line in Failure() when it did not.
  bool Open(Kind kind, const std::wstring& path);
  const std::string& Failure() const { return m_failure; }

 private:
  bool OpenQuickTime(const std::wstring& path);
  bool OpenRealPlayer(const std::wstring& path);
  bool OpenPicture(const std::wstring& path);
  bool Fail(const char* what);

  HWND m_window;
  HWND m_movieWindow = nullptr;  // QuickTime's port
  void* m_port = nullptr;
  HMODULE m_realLibrary = nullptr;
  std::string m_failure;
};

}  // namespace soak
