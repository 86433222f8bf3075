#include "Sheet.h"

#include <cstdio>
#include <cstring>

#include "res/BuiltinBitmaps.h"

namespace resgen {

namespace {

Colour C(int r, int g, int b) { return Colour::Rgb(r, g, b); }

// A 5 × 7 pixel font for the labels: upper-case letters, digits and a few signs.
struct FontGlyph {
  char ch;
  const char* rows[7];
};
constexpr FontGlyph kFont[] = {
    {'0', {"01110", "10001", "10011", "10101", "11001", "10001", "01110"}},
    {'1', {"00100", "01100", "00100", "00100", "00100", "00100", "01110"}},
    {'2', {"01110", "10001", "00001", "00010", "00100", "01000", "11111"}},
    {'3', {"11110", "00001", "00001", "01110", "00001", "00001", "11110"}},
    {'4', {"00010", "00110", "01010", "10010", "11111", "00010", "00010"}},
    {'5', {"11111", "10000", "11110", "00001", "00001", "10001", "01110"}},
    {'6', {"00110", "01000", "10000", "11110", "10001", "10001", "01110"}},
    {'7', {"11111", "00001", "00010", "00100", "01000", "01000", "01000"}},
    {'8', {"01110", "10001", "10001", "01110", "10001", "10001", "01110"}},
    {'9', {"01110", "10001", "10001", "01111", "00001", "00010", "01100"}},
    {'A', {"01110", "10001", "10001", "11111", "10001", "10001", "10001"}},
    {'B', {"11110", "10001", "10001", "11110", "10001", "10001", "11110"}},
    {'C', {"01110", "10001", "10000", "10000", "10000", "10001", "01110"}},
    {'D', {"11100", "10010", "10001", "10001", "10001", "10010", "11100"}},
    {'E', {"11111", "10000", "10000", "11110", "10000", "10000", "11111"}},
    {'F', {"11111", "10000", "10000", "11110", "10000", "10000", "10000"}},
    {'G', {"01110", "10001", "10000", "10111", "10001", "10001", "01111"}},
    {'H', {"10001", "10001", "10001", "11111", "10001", "10001", "10001"}},
    {'I', {"01110", "00100", "00100", "00100", "00100", "00100", "01110"}},
    {'J', {"00111", "00010", "00010", "00010", "00010", "10010", "01100"}},
    {'K', {"10001", "10010", "10100", "11000", "10100", "10010", "10001"}},
    {'L', {"10000", "10000", "10000", "10000", "10000", "10000", "11111"}},
    {'M', {"10001", "11011", "10101", "10101", "10001", "10001", "10001"}},
    {'N', {"10001", "10001", "11001", "10101", "10011", "10001", "10001"}},
    {'O', {"01110", "10001", "10001", "10001", "10001", "10001", "01110"}},
    {'P', {"11110", "10001", "10001", "11110", "10000", "10000", "10000"}},
    {'Q', {"01110", "10001", "10001", "10001", "10101", "10010", "01101"}},
    {'R', {"11110", "10001", "10001", "11110", "10100", "10010", "10001"}},
    {'S', {"01111", "10000", "10000", "01110", "00001", "00001", "11110"}},
    {'T', {"11111", "00100", "00100", "00100", "00100", "00100", "00100"}},
    {'U', {"10001", "10001", "10001", "10001", "10001", "10001", "01110"}},
    {'V', {"10001", "10001", "10001", "10001", "10001", "01010", "00100"}},
    {'W', {"10001", "10001", "10001", "10101", "10101", "10101", "01010"}},
    {'X', {"10001", "10001", "01010", "00100", "01010", "10001", "10001"}},
    {'Y', {"10001", "10001", "01010", "00100", "00100", "00100", "00100"}},
    {'Z', {"11111", "00001", "00010", "00100", "01000", "10000", "11111"}},
    {'.', {"00000", "00000", "00000", "00000", "00000", "01100", "01100"}},
    {'-', {"00000", "00000", "00000", "11111", "00000", "00000", "00000"}},
    {'/', {"00001", "00010", "00010", "00100", "01000", "01000", "10000"}},
    {',', {"00000", "00000", "00000", "00000", "01100", "00100", "01000"}},
    {':', {"00000", "01100", "01100", "00000", "01100", "01100", "00000"}},
};

void Text(Canvas& c, int x, int y, const std::string& text, Colour colour) {
  for (char ch : text) {
    char up = ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
    for (const FontGlyph& g : kFont) {
      if (g.ch != up) continue;
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
          if (g.rows[row][col] == '1' && x + col < c.Width() && y + row < c.Height()) c.At(x + col, y + row) = colour;
    }
    x += 6;
  }
}

void FillRect(Canvas& c, int l, int t, int r, int b, Colour colour) {
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) c.At(x, y) = colour;
}

}  // namespace

Canvas DrawContactSheet(const std::vector<IndexedImage>& strips) {
  const Colour background = C(52, 56, 64), cellShade = C(60, 65, 74), panel = C(24, 28, 34);
  const Colour label = C(226, 230, 236), faint = C(150, 158, 170);
  Canvas sheet(sheet::kWidth, sheet::kHeight, background);
  char title[96];
  std::snprintf(title, sizeof title, "TARNVALE BUILT-IN SKIN: %zu STRIPS. LEFT AS STORED, RIGHT AS A PANEL SHOWS THEM",
                kBuiltinBitmapCount);
  Text(sheet, 8, 8, title, label);
  for (std::size_t i = 0; i < strips.size() && i < kBuiltinBitmapCount; ++i) {
    const BuiltinBitmap& b = kBuiltinBitmaps[i];
    sheet::Origin cell = sheet::CellOrigin(i);
    if ((i / sheet::kColumns + i % sheet::kColumns) % 2 == 0)
      FillRect(sheet, cell.x, cell.y, cell.x + sheet::kCellWidth, cell.y + sheet::kCellHeight, cellShade);
    std::string name = b.file;
    name = name.substr(0, name.find('.'));
    char line[64];
    std::snprintf(line, sizeof line, "%u", b.id);
    Text(sheet, cell.x + sheet::kLabelLeft, cell.y + 8, line, label);
    Text(sheet, cell.x + sheet::kLabelLeft + 24, cell.y + 8, name, label);
    std::snprintf(line, sizeof line, "%d X %dX%d", b.frameCount, b.frameWidth, b.height);
    Text(sheet, cell.x + sheet::kLabelLeft, cell.y + 22, line, faint);
    sheet::Origin at = sheet::StripOrigin(i);
    sheet.Blit(ToCanvas(strips[i]), at.x, at.y);
    FillRect(sheet, cell.x + sheet::kShownLeft - 4, at.y - 4, cell.x + sheet::kShownLeft + b.width + 4, at.y + b.height + 4, panel);
    sheet.Blit(ToCanvas(strips[i], &panel), cell.x + sheet::kShownLeft, at.y);
  }
  return sheet;
}

}  // namespace resgen
