#include "res/BuiltinBitmaps.h"

#include <gtest/gtest.h>

#include <set>

TEST(BuiltinBitmaps, EverySwitchFaceIdHasAFourFrameStrip) {
  std::set<unsigned> faces;
  for (unsigned id = 147; id <= 186; ++id)
    if (id != 148 && id != 158 && id != 177) faces.insert(id);
  std::set<unsigned> seen;
  for (const BuiltinBitmap& b : kBuiltinBitmaps) {
    EXPECT_TRUE(seen.insert(b.id).second) << "id " << b.id << " twice";
    EXPECT_EQ(b.frameWidth * b.frameCount, b.width) << b.file;
    if (faces.count(b.id)) {
      EXPECT_EQ(b.width, 128) << b.file;
      EXPECT_EQ(b.height, 32) << b.file;
      EXPECT_EQ(b.frameCount, 4) << b.file;
    }
  }
  for (unsigned id : faces) EXPECT_TRUE(seen.count(id)) << "no strip for switch face " << id;
  EXPECT_EQ(seen.size(), faces.size() + 4);
}

TEST(BuiltinBitmaps, TheStatusStripsAndTheRowBackgroundHaveTheirSizes) {
  struct Expect {
    unsigned id;
    int width, height, frameWidth, frameCount;
  } const expected[] = {
      {139, 208, 32, 16, 13}, {140, 160, 32, 32, 5}, {145, 16, 16, 16, 1}, {158, 128, 36, 32, 4}};
  for (const Expect& e : expected) {
    const BuiltinBitmap* found = nullptr;
    for (const BuiltinBitmap& b : kBuiltinBitmaps)
      if (b.id == e.id) found = &b;
    ASSERT_NE(found, nullptr) << e.id;
    EXPECT_EQ(found->width, e.width);
    EXPECT_EQ(found->height, e.height);
    EXPECT_EQ(found->frameWidth, e.frameWidth);
    EXPECT_EQ(found->frameCount, e.frameCount);
  }
}

TEST(BuiltinBitmaps, ContactSheetCellsHoldTheirStripsWithoutOverlap) {
  for (std::size_t i = 0; i < kBuiltinBitmapCount; ++i) {
    const BuiltinBitmap& b = kBuiltinBitmaps[i];
    sheet::Origin cell = sheet::CellOrigin(i), strip = sheet::StripOrigin(i);
    EXPECT_LE(strip.x + b.width, cell.x + sheet::kShownLeft - 4) << b.file;
    EXPECT_LE(cell.x + sheet::kShownLeft + b.width + 4, cell.x + sheet::kCellWidth) << b.file;
    EXPECT_LE(strip.y + b.height + 4, cell.y + sheet::kCellHeight) << b.file;
    EXPECT_LE(cell.x + sheet::kCellWidth, sheet::kWidth);
    EXPECT_LE(cell.y + sheet::kCellHeight, sheet::kHeight);
    EXPECT_GE(cell.y, sheet::kTitleHeight);
  }
}
