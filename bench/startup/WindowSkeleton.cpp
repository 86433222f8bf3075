// A second baseline of the start-up benchmark: the windows Tarnvale makes before its view shows, made
// the least way and drawn by nobody. OLE is initialised, then a hidden frame, the view owned by it, the
// control panel with its 12 switches and sliders, the list bar with its 5 switches and three rows with
// an icon each; then the view shows. What Tarnvale takes beyond this is its own work (bitmaps, the
// listing, layout), not the windows' cost under the system.
#include <windows.h>

#include <ole2.h>

static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

static HWND Make(DWORD exStyle, const char* cls, DWORD style, int x, int y, int w, int h, HWND parent) {
  return CreateWindowExA(exStyle, cls, nullptr, style, x, y, w, h, parent, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  OleInitialize(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "BenchSkeleton";
  RegisterClassA(&wc);
  HWND frame = CreateWindowExA(0, "BenchSkeleton", "BenchSkeleton", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, 640, 480,
                               nullptr, nullptr, instance, nullptr);
  HWND view = Make(WS_EX_ACCEPTFILES, "BenchSkeleton", WS_POPUP | WS_CLIPCHILDREN, 320, 272, 640, 480, frame);
  HWND panel = Make(0, "BenchSkeleton", WS_POPUP, 0, 0, 634, 88, view);
  for (int i = 0; i < 12; ++i) Make(0, "BenchSkeleton", WS_CHILD | WS_VISIBLE, i * 34, 10, 32, 32, panel);
  HWND list = Make(WS_EX_ACCEPTFILES, "BenchSkeleton", WS_POPUP, 0, 0, 600, 40, view);
  for (int i = 0; i < 5; ++i) Make(0, "BenchSkeleton", WS_CHILD | WS_VISIBLE, i * 40, 0, 40, 40, list);
  for (int i = 0; i < 3; ++i) {
    HWND row = Make(0, "BenchSkeleton", WS_POPUP, 0, 0, 400, 40, list);
    Make(0, "BenchSkeleton", WS_CHILD | WS_VISIBLE, 4, 4, 32, 32, row);
  }
  ShowWindow(view, SW_SHOWNA);
  ShowWindow(frame, SW_SHOW);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
