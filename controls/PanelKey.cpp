#include "controls/PanelKey.h"

void ApplyPanelTransparency(HWND hwnd, std::uint32_t nowPlayingKind) {
  const std::uint32_t kindClass = nowPlayingKind & 0xF00, engine = nowPlayingKind & 0xF0;
  if (kindClass == 0xE00 || engine == 0x10) {
    ::SetWindowLongPtrA(hwnd, GWL_EXSTYLE, 0);
    return;
  }
  ::SetWindowLongPtrA(hwnd, GWL_EXSTYLE, ::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  HMODULE user32 = ::GetModuleHandleA("user32.dll");
  auto setLayered = user32 ? reinterpret_cast<SetLayeredFn>(
                                 reinterpret_cast<void*>(::GetProcAddress(user32, "SetLayeredWindowAttributes")))
                           : nullptr;
  if (setLayered) setLayered(hwnd, kPanelKeyColour, 0, LWA_COLORKEY);
}
