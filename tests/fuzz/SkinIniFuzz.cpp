// TNSKIN.INI as the program reads it: the colour rule on every value, the fonts, sizes and wallpaper of
// the skin, and the name font's reduction started from the skin's size.

#include <cerrno>
#include <cstdlib>

#include "browser/TagText.h"
#include "config/SkinDefinition.h"
#include "FuzzSupport.h"

namespace {

// The colour rule stated through the C library: base 16 of the first six characters, low 24 bits.
void CheckColourRule(std::string_view value) {
  const std::string six(value.substr(0, 6));
  if (six.find_first_of("\n\v\f\r") != std::string::npos) return;  // blanks the rule does not skip
  const unsigned long expected = std::strtoul(six.c_str(), nullptr, 16) & 0xFFFFFFul;
  FUZZ_CHECK(SkinColor(value) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The default font name must be the program's code page 932 bytes ("ＭＳ Ｐゴシック").
  FUZZ_CHECK(CSkinDefinition().tagFont == "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::Text(data, size);
  CheckColourRule(text.substr(0, 8));
  fuzz::IniText ini(text);
  for (const std::string& value : ini.Values()) CheckColourRule(value);

  CSkinDefinition skin;
  skin.LoadFrom(ini, "C:\\Tarnvale\\skin\\x\\");
  const CSkinDefinition defaults;
  FUZZ_CHECK(fuzz::IsCharacterCut(ini.ReadString("STRING", "TAG_FONT", defaults.tagFont.c_str()), skin.tagFont, 255));
  FUZZ_CHECK(fuzz::IsCharacterCut(ini.ReadString("WALLPAPER", "FILENAME", ""), skin.wallpaperFile, 259));
  for (SkinColorRef c : {skin.listTitleColor, skin.tagNormalColor, skin.timeNormalFrameColor, skin.sliderBaseColor,
                         skin.sliderBarFrameColor})
    FUZZ_CHECK(c <= 0xFFFFFFu);

  // The rows measure the name font once per trial size; every trial makes a font, so a skin's size must
  // not make the reduction take more than a row's worth of trials.
  for (int fontSize : {skin.tagFontSize, skin.listTitleFontSize, skin.timeFontSize}) {
    int trials = 0;
    const int rowHeight = 64;
    const int chosen = WrappedFontSize(fontSize, rowHeight, [&](int tenths) {
      ++trials;
      return tenths / 8;  // about the pixel height of a font of that many tenths of a point
    });
    FUZZ_CHECK(trials <= 1000);
    FUZZ_CHECK(chosen <= fontSize);
    FUZZ_CHECK(chosen == fontSize || chosen >= kMinTagFontSize);
  }
  return 0;
}
