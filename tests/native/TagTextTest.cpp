// What the rows and the title bar show, the icon of each kind, the key and activation tables.
#include "browser/TagText.h"

#include <gtest/gtest.h>

#include "browser/ListCommands.h"
#include "res/ResourceIds.h"

TEST(TagText, DisplayedNames) {
  struct Case {
    const char* name;
    EntryKind kind;
    const char* shown;
  } const cases[] = {
      {"C:\\Movies\\clip.avi", KIND_VIDEO, "clip"},
      {"C:\\Movies\\a.b", KIND_FOLDER, "a.b"},                      // a folder keeps its dot
      {"C:\\Movies\\a.b.lnk", KIND_FOLDER | KIND_VIA_SHORTCUT, "a.b"},  // a folder shortcut does not
      {"C:\\DATA", KIND_DRIVE, "DATA (C:)"},
      {"E:\\", KIND_DRIVE, " (E:)"},                                // no label: a blank and the letter
      {"C:\\R&B\\x&y.mp3", KIND_AUDIO, "x&&y"},                     // shown with one ampersand
      {"C:\\表\\ファイルリストを表示.avi", KIND_VIDEO, "ファイルリストを表示"},  // trail bytes 0x5C
      {"1つ上のフォルダ", KIND_PARENT, "1つ上のフォルダ"},
      {"C:\\noext", KIND_OPEN, "noext"},
  };
  for (const Case& c : cases) EXPECT_EQ(TagDisplayName({c.name, c.kind}), c.shown) << c.name;
}

TEST(TagText, DatesAndWhereTheyShow) {
  EXPECT_EQ(TagDateText({2005, 3, 12, 6, 21, 30}), "05/03/12(土)21:30");
  EXPECT_EQ(TagDateText({2000, 1, 2, 0, 0, 5}), "00/01/02(日)00:05");
  EXPECT_TRUE(ShowsDate(KIND_PICTURE | ENGINE_PICTURE, false));
  EXPECT_TRUE(ShowsDate(KIND_VIDEO, true));
  EXPECT_FALSE(ShowsDate(KIND_VIDEO, false));
  EXPECT_FALSE(ShowsDate(KIND_FOLDER, true));  // a folder in the TV folder shows no date
  FileEntry picture{"a.jpg", KIND_PICTURE, 10, 20};
  FileEntry video{"a.avi", KIND_VIDEO, 10, 20};
  EXPECT_EQ(DateShown(picture), 20);
  EXPECT_EQ(DateShown(video), 10);
}

TEST(TagText, ListTitles) {
  EXPECT_EQ(ListTitleText(1, false, "C:\\x", ""), "プレイリスト");
  EXPECT_EQ(ListTitleText(0, true, "C:\\x", ""), "マイコンピュータ");
  EXPECT_EQ(ListTitleText(0, false, "C:\\", "SYSTEM"), "SYSTEM (C:)");
  EXPECT_EQ(ListTitleText(0, false, "C:\\Music\\R&B", ""), "R&B");
  EXPECT_EQ(ListTitleText(0, false, "C:\\表示", ""), "表示");
  EXPECT_EQ(ListTitleText(0, false, "plain", ""), "plain");
}

TEST(TagText, IconsByKindAndListMode) {
  EXPECT_EQ(IconForKind(KIND_VIDEO | ENGINE_QUICKTIME, 0).resource, IDB_VIDEOSW);
  EXPECT_EQ(IconForKind(KIND_VIDEO, 1).resource, IDB_VIDEOPLSW);
  EXPECT_EQ(IconForKind(KIND_AUDIO | KIND_VIA_SHORTCUT, 1).resource, IDB_MUSICPLSW);
  EXPECT_EQ(IconForKind(KIND_PICTURE, 0).resource, IDB_PICTURESW);
  EXPECT_EQ(IconForKind(KIND_PARENT_ROOT, 1).resource, IDB_1UPSW);
  EXPECT_EQ(IconForKind(KIND_OPEN, 1).resource, IDB_OPENSW);
  EXPECT_EQ(IconForKind(KIND_VIDEO, 2).file, nullptr);
  EXPECT_EQ(IconForKind(0xA00, 0).file, nullptr);
}

TEST(TagText, WrappedFontStopsAtTheFirstFitAndAtTheFloor) {
  auto height = [](int size) { return size / 10; };  // a font of n points is n pixels high
  EXPECT_EQ(WrappedFontSize(240, 36, height), 180);
  EXPECT_EQ(WrappedFontSize(120, 36, height), 120);
  EXPECT_EQ(WrappedFontSize(240, 36, [](int) { return 100; }), kMinTagFontSize);  // never fits
}

// A skin's TAG_FONTSIZE of any value: each trial makes a font, so the trials stay few, and the smallest
// sizes do not overflow the step.
TEST(TagText, WrappedFontOfAnAbsurdSkinSizeTakesFewTrials) {
  const struct {
    int size;
    int chosen;
  } cases[] = {{2147483647, 750}, {kMaxTagFontSize + 5, 750}, {-2147483647 - 1, -2147483647 - 1}, {0, 0}, {69, 69}};
  for (const auto& c : cases) {
    int trials = 0;
    const int chosen = WrappedFontSize(c.size, 36, [&](int size) {
      ++trials;
      return size / 40;  // a font of n tenths of a point is n / 40 pixels high
    });
    EXPECT_EQ(chosen, c.chosen) << c.size;
    EXPECT_LE(trials, (kMaxTagFontSize - kMinTagFontSize) / 10 + 1) << c.size;
  }
}

TEST(TagText, PointerWarpStaysOnTheRow) {
  const geo::Rect row{100, 200, 500, 236};
  EXPECT_EQ(PointerWarp(row, 120), (WarpPoint{148, 224}));
  EXPECT_EQ(PointerWarp(row, 600), (WarpPoint{484, 224}));
  EXPECT_EQ(PointerWarp(row, 300), (WarpPoint{300, 224}));
}

TEST(ListCommands, KeyTable) {
  struct Case {
    unsigned vk;
    bool ctrl;
    int mode;
    EntryKind cursor;
    ListKey key;
  } const cases[] = {
      {0x08, false, 0, 0, ListKey::kGoUp},         {0x0D, false, 1, 0, ListKey::kActivate},
      {0x25, true, 1, 0, ListKey::kFileList},      {0x25, false, 0, 0, ListKey::kSeekBack},
      {0x27, true, 0, 0, ListKey::kPlaylist},      {0x63, false, 0, 0, ListKey::kToTop},
      {0x2D, false, 0, 0, ListKey::kAlternate},    {0x2D, false, 1, KIND_VIDEO, ListKey::kNothing},
      {0x2E, false, 1, KIND_VIDEO, ListKey::kAlternate},
      {0x2E, false, 1, KIND_SHOW_FILES, ListKey::kNothing},  // Delete on a command entry does nothing
      {0x2E, false, 0, KIND_VIDEO, ListKey::kNothing},       {'Q', false, 1, 0, ListKey::kCycleSort},
      {0x73, false, 0, 0, ListKey::kAlternate},    {'E', false, 1, 0, ListKey::kNothing},
      {0x20, false, 0, 0, ListKey::kPass},         {0x74, false, 0, 0, ListKey::kPass},
      // The digit, numeric pad and function key of each list operation.
      {'E', false, 0, 0, ListKey::kExplore},       {'3', false, 1, 0, ListKey::kToTop},
      {0x72, false, 0, 0, ListKey::kToTop},        {0x24, false, 0, 0, ListKey::kToTop},
      {'1', false, 0, 0, ListKey::kToggleList},    {0x61, false, 1, 0, ListKey::kToggleList},
      {0x70, false, 0, 0, ListKey::kToggleList},   {'2', false, 0, 0, ListKey::kCycleSort},
      {0x62, false, 1, 0, ListKey::kCycleSort},    {0x71, false, 0, 0, ListKey::kCycleSort},
      {'4', false, 1, 0, ListKey::kAlternate},     {0x64, false, 0, 0, ListKey::kAlternate},
  };
  for (const Case& c : cases) EXPECT_EQ(ListKeyFor(c.vk, c.ctrl, c.mode, c.cursor), c.key) << c.vk;
}

TEST(ListCommands, ActivationTable) {
  struct Case {
    EntryKind kind;
    bool alternate;
    int mode;
    Activation action;
  } const cases[] = {
      {KIND_VIDEO | ENGINE_QUICKTIME, false, 0, Activation::kPlayHidingList},
      {KIND_PICTURE | ENGINE_PICTURE | KIND_VIA_SHORTCUT, false, 1, Activation::kPlayHidingList},
      {KIND_AUDIO, false, 0, Activation::kPlay},
      {KIND_AUDIO, true, 0, Activation::kAddEntry},
      {KIND_VIDEO, true, 1, Activation::kRemoveEntry},
      {KIND_FOLDER, true, 0, Activation::kAddTree},
      {KIND_FOLDER | KIND_VIA_SHORTCUT, false, 0, Activation::kEnterFolder},
      {KIND_OPEN, true, 0, Activation::kShellOpen},
      {KIND_OPEN, true, 1, Activation::kRemoveEntry},
      {KIND_PARENT_ROOT, false, 0, Activation::kGoUp},
      {KIND_PLAY_PLAYLIST, true, 0, Activation::kPlayPlaylist},  // no alternate: the plain action
      {0xA00, false, 0, Activation::kNothing},
  };
  for (const Case& c : cases) EXPECT_EQ(ActivationFor(c.kind, c.alternate, c.mode), c.action) << c.kind;
  EXPECT_TRUE(HasAlternate(KIND_FOLDER | KIND_VIA_SHORTCUT));
  EXPECT_TRUE(HasAlternate(KIND_OPEN));
  EXPECT_FALSE(HasAlternate(KIND_DRIVE));
}
