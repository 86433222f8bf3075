#pragma once
// What the skinned controls draw with besides their bitmaps: the skin's folder, where the switch and
// strip files are looked for, and the sliders' colours. The skin definition read from TNSKIN.INI is one.
// Win32-free.

#include <cstdint>
#include <string>

// A Windows colour value (0x00BBGGRR).
using SkinColorRef = std::uint32_t;

struct SkinLook {
  std::string skinFolder;  // program folder + "skin\" + skin name + "\"
  SkinColorRef sliderBaseColor = 0xc0c0c0;
  SkinColorRef sliderBaseFrameColor = 0x000000;
  SkinColorRef sliderBarColor = 0xffffff;
  SkinColorRef sliderOnBarColor = 0x00ff00;
  SkinColorRef sliderBarFrameColor = 0x000000;
};
