// resgen: draws the program's built-in resources from code into a folder, for the resource script: the
// program icon, every bitmap strip of res/BuiltinBitmaps.h as an 8-bit BMP, and a contact sheet of them.
//   resgen <output folder>
#include <cstdio>
#include <string>
#include <vector>

#include "Faces.h"
#include "Icon.h"
#include "Palette.h"
#include "Sheet.h"
#include "Status.h"
#include "res/BuiltinBitmaps.h"

namespace {

resgen::Canvas DrawStrip(const BuiltinBitmap& b) {
  switch (b.id) {
    case IDB_NUMBER: return resgen::DrawDigits();
    case IDB_INDICATOR: return resgen::DrawIndicator();
    case IDB_VOLUME: return resgen::DrawVolumeIcon();
    case IDB_TAGBK: return resgen::DrawRowBackground();
    default: return resgen::DrawSwitchStrip(resgen::GlyphFor(b.id));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: resgen <output folder>\n");
    return 2;
  }
  const std::string out = std::string(argv[1]) + "/";
  bool ok = resgen::WriteIco({resgen::DrawProgramIcon(32), resgen::DrawProgramIcon(16), resgen::DrawProgramIcon(48)},
                             out + "Tarnvale.ico");
  std::vector<resgen::IndexedImage> strips;
  for (const BuiltinBitmap& b : kBuiltinBitmaps) {
    if (b.frameWidth * b.frameCount > b.width || (b.id != IDB_NUMBER && b.id != IDB_INDICATOR && b.id != IDB_VOLUME &&
                                                  b.id != IDB_TAGBK && !resgen::GlyphFor(b.id))) {
      std::fprintf(stderr, "resgen: nothing draws strip %u (%s)\n", b.id, b.file);
      return 1;
    }
    resgen::Canvas c = DrawStrip(b);
    if (c.Width() != b.width || c.Height() != b.height) {
      std::fprintf(stderr, "resgen: strip %u drawn at %d x %d, not %d x %d\n", b.id, c.Width(), c.Height(), b.width, b.height);
      return 1;
    }
    strips.push_back(resgen::Quantize(c));
    ok = resgen::WriteBmp8(strips.back(), out + b.file) && ok;
  }
  const resgen::Colour key = resgen::Colour::Rgb(kKeyRed, kKeyGreen, kKeyBlue);
  ok = resgen::WriteBmp24(resgen::DrawContactSheet(strips), out + "ContactSheet.bmp", key) && ok;
  if (!ok) {
    std::fprintf(stderr, "resgen: cannot write into %s\n", out.c_str());
    return 1;
  }
  return 0;
}
