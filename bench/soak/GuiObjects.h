#pragma once
// GDI and USER objects of this process where GetGuiResources does not count them (Wine 8 answers 0).
// Wine keeps both kinds in tables of the process, whose handles carry the slot in their low word and
// accept a high word of 0: every slot is asked for its object, GDI objects by GetObjectType, menus by
// IsMenu, icons and cursors by GetIconInfo; USER objects are those and the windows. SelfCheck makes a pen, a
// menu and an icon and sees the counts move by one for each, so that a platform where the probes read
// nothing is reported as such instead of as no growth.

#include <windows.h>

#include "bench/BenchResources.h"
#include "framework/Handles.h"

namespace soak {

inline DWORD ProbedGdiObjects() {
  DWORD n = 0;
  for (ULONG_PTR slot = 1; slot <= 0xFFFF; ++slot)
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++n;
  return n;
}

// USER handles are 0x20 plus twice the slot.
inline DWORD ProbedMenusAndIcons() {
  DWORD n = 0;
  for (ULONG_PTR handle = 0x20; handle <= 0xFFFE; handle += 2) {
    if (::IsMenu(reinterpret_cast<HMENU>(handle))) {
      ++n;
      continue;
    }
    ICONINFO info{};
    if (::GetIconInfo(reinterpret_cast<HICON>(handle), &info)) {
      ++n;
      fw::Bitmap mask(info.hbmMask), colour(info.hbmColor);  // copies made for the caller
    }
  }
  return n;
}

struct GuiCounts {
  DWORD gdi = 0, user = 0;
};

inline GuiCounts ProbedGuiObjects() { return {ProbedGdiObjects(), bench::WindowCount() + ProbedMenusAndIcons()}; }

// Whether a pen moves the GDI count by one, and a menu and an icon the USER count by one each.
inline bool SelfCheck() {
  const GuiCounts before = ProbedGuiObjects();
  fw::Pen pen(::CreatePen(PS_SOLID, 1, 0));
  const bool gdi = ProbedGdiObjects() == before.gdi + 1;
  pen.Reset();
  HMENU menu = ::CreateMenu();
  const bool menus = ProbedGuiObjects().user == before.user + 1;
  if (menu) ::DestroyMenu(menu);
  HICON icon = ::CopyIcon(::LoadIconA(nullptr, IDI_APPLICATION));
  const bool icons = ProbedGuiObjects().user == before.user + 1;
  if (icon) ::DestroyIcon(icon);
  const GuiCounts after = ProbedGuiObjects();
  return gdi && menus && icons && after.gdi == before.gdi && after.user == before.user;
}

}  // namespace soak
