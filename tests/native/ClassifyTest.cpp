#include "browser/Classify.h"

#include <gtest/gtest.h>

#include <map>

#include "config/Settings.h"
#include "native/ExampleSettings.h"

namespace {

// Shortcuts of a table; every call is counted.
struct FakeLinks {
  std::map<std::string, ShortcutTarget> links;
  int calls = 0;
  ShortcutResolver Resolver() {
    return [this](const std::string& path, const std::wstring&) {
      ++calls;
      auto it = links.find(path);
      return it == links.end() ? ShortcutTarget{} : it->second;
    };
  }
};

}  // namespace

TEST(Classify, ExtensionIsTheTextAfterTheLastDotOfTheWholePath) {
  EXPECT_EQ(ExtensionOf("C:\\m\\a.avi"), "avi");
  EXPECT_EQ(ExtensionOf("C:\\a.b\\file"), "b\\file");
  EXPECT_EQ(ExtensionOf("C:\\m\\file"), "");
  EXPECT_EQ(ExtensionOf("C:\\m\\x."), "");
  EXPECT_EQ(ExtensionOf("C:\\m\\a.tar.gz"), "gz");
}

TEST(Classify, TheDocumentedExamples) {
  const Settings s = ExampleSettings();
  FakeLinks links;
  links.links["C:\\b.lnk"] = {"C:\\a.mp4", false};
  struct Case {
    const char* path;
    EntryKind kind;
  } cases[] = {
      {"C:\\a.AVI", 0xC00},
      {"C:\\a.mp4", 0xC10},
      {"C:\\a.jpg", 0xEF0},
      {"C:\\a.wav", 0xD00},
      {"C:\\b.lnk", 0xC11},
      {"C:\\a.txt", 0xF00},
      {"C:\\MOVIE.MPG", 0xC00},         // lower-cased extension against lower-case lists
      {"C:\\x.a", 0xC00},               // "a" occurs in "avi": the lists are searched as text
      {"C:\\noextension", 0},           // no dot: never listed
      {"C:\\x.", 0},                    // empty extension
      {"C:\\a.b\\file", 0},             // extension b\file, in no list
      {"C:\\pic.BMP", 0xEF0},
      {"C:\\page.url", 0xF00},
      {"C:\\data.dat", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Classify(c.path, s, links.Resolver()), c.kind) << c.path;
}

TEST(Classify, DirectShowSuffixIsTestedFirstOverAllThreeLists) {
  Settings s = ExampleSettings();
  EXPECT_EQ(Classify("C:\\clip.mp4", s, nullptr), 0xC10u);
  s.extAudio = "wav,mp3,mp4(d)";
  EXPECT_EQ(Classify("C:\\clip.mp4", s, nullptr), 0xC00u);  // video by its class, DirectShow by (d)
  s.extAudio = "wav,mp3,mp4(r)";
  EXPECT_EQ(Classify("C:\\clip.mp4", s, nullptr), 0xC10u);  // (q) before (r)
  s.extVideo = "avi,rm(r)";
  s.extAudio = "wav";
  EXPECT_EQ(Classify("C:\\x.rm", s, nullptr), 0xC20u);
}

TEST(Classify, OpenListTakesNoPartInTheSuffixes) {
  Settings s = ExampleSettings();
  s.extOpen = "txt(q)";
  EXPECT_EQ(Classify("C:\\a.txt", s, nullptr), 0xF00u);
}

TEST(Classify, ShortcutsAreResolvedAndMarked) {
  const Settings s = ExampleSettings();
  FakeLinks links;
  links.links["C:\\folder.lnk"] = {"D:\\Movies", true};
  links.links["C:\\note.lnk"] = {"C:\\note.txt", false};
  links.links["C:\\data.lnk"] = {"C:\\data.dat", false};
  links.links["C:\\clip.LNK"] = {"C:\\clip.avi", false};
  ShortcutTarget target;
  EXPECT_EQ(ExtensionRules(s).Classify("C:\\folder.lnk", links.Resolver(), &target), 0x901u);
  EXPECT_EQ(target.path, "D:\\Movies");
  EXPECT_TRUE(target.isFolder);
  EXPECT_EQ(Classify("C:\\note.lnk", s, links.Resolver()), 0xF01u);
  EXPECT_EQ(Classify("C:\\data.lnk", s, links.Resolver()), 0u);     // a shortcut to an unlisted file
  EXPECT_EQ(Classify("C:\\clip.LNK", s, links.Resolver()), 0xC01u);
  EXPECT_EQ(Classify("C:\\gone.lnk", s, links.Resolver()), 0u);     // cannot be resolved: empty target
  EXPECT_EQ(Classify("C:\\clip.lnk", s, nullptr), 0u);              // no resolver at all
}

TEST(Classify, ShortcutChainsReportTheirLastTargetAndLoopsEnd) {
  const Settings s = ExampleSettings();
  FakeLinks links;
  links.links["C:\\a.lnk"] = {"C:\\b.lnk", false};
  links.links["C:\\b.lnk"] = {"C:\\clip.avi", false};
  links.links["C:\\c.lnk"] = {"C:\\d.lnk", false};
  links.links["C:\\d.lnk"] = {"C:\\Movies", true};
  ShortcutTarget target;
  EXPECT_EQ(ExtensionRules(s).Classify("C:\\a.lnk", links.Resolver(), &target), 0xC01u);
  EXPECT_EQ(target.path, "C:\\clip.avi");
  EXPECT_EQ(ExtensionRules(s).Classify("C:\\c.lnk", links.Resolver(), &target), 0x901u);
  EXPECT_EQ(target.path, "C:\\Movies");

  links.links["C:\\loop1.lnk"] = {"C:\\loop2.lnk", false};
  links.links["C:\\loop2.lnk"] = {"C:\\loop1.lnk", false};
  links.links["C:\\self.lnk"] = {"C:\\self.lnk", false};
  links.calls = 0;
  EXPECT_EQ(Classify("C:\\loop1.lnk", s, links.Resolver()), 0u);
  EXPECT_EQ(links.calls, kMaxShortcutHops);
  EXPECT_EQ(Classify("C:\\self.lnk", s, links.Resolver()), 0u);
}

TEST(Classify, ShortcutExtensionInTheListsNeverTurnsAFailedShortcutIntoAnEntry) {
  Settings s = ExampleSettings();
  s.extVideo = "avi,lnk(q)";
  FakeLinks links;
  links.links["C:\\clip.lnk"] = {"C:\\clip.avi", false};
  links.links["C:\\dir.lnk"] = {"C:\\dir", true};
  EXPECT_EQ(Classify("C:\\gone.lnk", s, links.Resolver()), 0u);
  EXPECT_EQ(Classify("C:\\dir.lnk", s, links.Resolver()), 0x901u);
  EXPECT_EQ(Classify("C:\\clip.lnk", s, links.Resolver()), 0xC11u);  // the lnk suffix gives the engine
}

// Code page 932: "表" is 95 5C and "ソ" 83 5C, "ア" 83 41 (its trail byte is an 'A').
TEST(Classify, DoubleByteCharactersAreNeverSplit) {
  Settings s = ExampleSettings();
  EXPECT_EQ(Classify("C:\\表示\\ソフト.avi", s, nullptr), 0xC00u);
  EXPECT_EQ(Classify("C:\\表.avi\\ソ", s, nullptr), 0u);  // extension "avi\ソ", in no list
  EXPECT_EQ(Classify("C:\\ソ", s, nullptr), 0u);           // the trail 5C is not a separator, no dot
  // The trail byte 'A' of ア is not lower-cased: x.ア does not become x.<83 61> (ヂ).
  s.extOpen = "\x83\x61";
  EXPECT_EQ(Classify("C:\\x.\x83\x41", s, nullptr), 0u);
  s.extOpen = "\x83\x41";
  EXPECT_EQ(Classify("C:\\x.\x83\x41", s, nullptr), 0xF00u);
  // A match never starts at a trail byte: the extension "\x" is not found inside "表x" (95 5C 78).
  s.extOpen = "表x";
  EXPECT_EQ(Classify("C:\\d.\\x", s, nullptr), 0u);
  s.extOpen = "q\\x";
  EXPECT_EQ(Classify("C:\\d.\\x", s, nullptr), 0xF00u);
}

TEST(Classify, ListsAreLowerCasedOnce) {
  Settings s = ExampleSettings();
  s.extVideo = "AVI,MP4(Q)";
  EXPECT_EQ(Classify("C:\\a.avi", s, nullptr), 0xC00u);
  EXPECT_EQ(Classify("C:\\a.MP4", s, nullptr), 0xC10u);
}

TEST(Classify, VeryLongPathsAreClassifiedWithoutLimits) {
  const Settings s = ExampleSettings();
  std::string path = "C:";
  for (int i = 0; i < 100; ++i) path += "\\フォルダ" + std::to_string(i);
  EXPECT_GT(path.size(), 260u);
  EXPECT_EQ(Classify(path + "\\clip.avi", s, nullptr), 0xC00u);
  EXPECT_EQ(Classify(path + "\\clip." + std::string(300, 'x'), s, nullptr), 0u);
}
