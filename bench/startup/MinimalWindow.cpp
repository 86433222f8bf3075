// The baseline of the start-up benchmark: the least a Win32 program does to show one window.
#include <windows.h>

static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "BenchMinimal";
  RegisterClassA(&wc);
  HWND h = CreateWindowExA(0, "BenchMinimal", "BenchMinimal", WS_POPUP, 320, 272, 640, 480, nullptr, nullptr,
                           instance, nullptr);
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
