// Soak: the real main frame in-process.
//   1. A playlist that mixes every engine (a DirectShow AVI, a "(q)" mp4 and mov through QuickTime, a
//      "(r)" AVI through the RealPlayer control, a picture) played back to back in repeat-all, in rounds
//      that alternate with the same opens made with bare calls of each engine (BareOpens.h). After a
//      warm-up round, the growth per open of handles, threads, windows, GDI and USER objects and private
//      bytes, program beside bare, with a ratio and a verdict: handles, threads and private bytes pass
//      when the median of the rounds' growth per open is within 1.05 times the bare calls' median,
//      windows, GDI and USER objects only without any growth over the rounds. An entry
//      that does not end within the stall limit, or that no engine or another engine than its kind's
//      played, fails the run: the soak stops there instead of moving on.
//   2. Folder changes and Page Downs through large folders: growth between an early and the last reading.
//   bench_soak [entries=500] [moves=1000, 0: none] [engines=dqrp: DirectShow, QuickTime, RealPlayer,
//   picture]; the exit code is 0 only when every verdict passed.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "bench/BenchPaths.h"
#include "bench/BenchResources.h"
#include "bench/soak/BareOpens.h"
#include "bench/soak/GuiObjects.h"
#include "config/IniProfile.h"
#include "framework/CodePage.h"

using bench::Measure;
using bench::NowMs;
using bench::PumpFor;
using bench::Usage;
using soak::Kind;

namespace {

constexpr int kWarmUpRounds = 1;
// The longest entry lasts about 1 s (a picture at the shortest slideshow time); a RealPlayer clip that
// never starts is given up by the player after its own start limit, well within this.
constexpr double kStallMs = 12000;
constexpr double kSettleMs = 300;

struct Item {
  Kind kind;
  std::string path;
};

// The mix, in playlist order; `kinds` keeps only the engines it names (d, q, r, p).
std::vector<Item> MakeMix(const std::string& kinds) {
  const std::string media = bench::FullPath(bench::ExeFolder() + "..\\media\\");
  char tmp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, tmp);
  // The RealPlayer engine takes AVIs under an extension of their own (an rm file does not play in Wine).
  const std::string real = std::string(tmp) + "tarn_soak_short.real";
  ::CopyFileA((media + "short.avi").c_str(), real.c_str(), FALSE);
  const std::vector<Item> all = {{Kind::kDirectShow, media + "short.avi"},
                                 {Kind::kQuickTime, media + "short.mp4"},
                                 {Kind::kRealPlayer, real},
                                 {Kind::kPicture, media + "pic.jpg"},
                                 {Kind::kQuickTime, media + "short.mov"}};
  std::vector<Item> mix;
  for (const Item& item : all)
    if (kinds.find("dqrp"[static_cast<int>(item.kind)]) != std::string::npos) mix.push_back(item);
  // A new entry is told by its identifier: a playlist of one entry has it twice.
  if (mix.size() == 1) mix.push_back(mix.front());
  return mix;
}

// What is counted of the process: Measure's figures, with GDI and USER objects probed where the system
// does not count them.
struct Counts {
  double handles = 0, threads = 0, windows = 0, gdi = 0, user = 0, privateKb = 0, workingSetKb = 0;
};

bool g_probeGui = false;

Counts Read() {
  PumpFor(kSettleMs);
  const Usage u = Measure();
  Counts c{double(u.handles), double(u.threads), double(u.windows), double(u.gdi), double(u.user),
           u.privateKb, u.workingSetKb};
  if (g_probeGui) {
    const soak::GuiCounts g = soak::ProbedGuiObjects();
    c.gdi = g.gdi;
    c.user = g.user;
  }
  return c;
}

void Add(Counts& sum, const Counts& late, const Counts& early) {
  sum.handles += late.handles - early.handles;
  sum.threads += late.threads - early.threads;
  sum.windows += late.windows - early.windows;
  sum.gdi += late.gdi - early.gdi;
  sum.user += late.user - early.user;
  sum.privateKb += late.privateKb - early.privateKb;
  sum.workingSetKb += late.workingSetKb - early.workingSetKb;
}

void PrintHeader() {
  std::printf("  %5s %-8s %5s %8s %8s %8s %6s %6s %11s\n", "round", "", "opens", "handles", "threads", "windows",
              "GDI", "USER", "private KB");
}

// A round's growth.
void PrintRow(int round, const char* side, int opens, const Counts& late, const Counts& early) {
  std::printf("  %5d %-8s %5d %+8.0f %+8.0f %+8.0f %+6.0f %+6.0f %+11.0f\n", round + 1, side, opens,
              late.handles - early.handles, late.threads - early.threads, late.windows - early.windows,
              late.gdi - early.gdi, late.user - early.user, late.privateKb - early.privateKb);
}

EngineSelector EngineOf(Kind kind) {
  switch (kind) {
    case Kind::kDirectShow:
      return EngineSelector::kDirectShow;
    case Kind::kQuickTime:
      return EngineSelector::kQuickTime;
    case Kind::kRealPlayer:
      return EngineSelector::kRealPlayer;
    case Kind::kPicture:
      return EngineSelector::kPicture;
  }
  return EngineSelector::kNone;
}

Counts PerOpen(const Counts& late, const Counts& early, int opens) {
  Counts c;
  Add(c, late, early);
  for (double Counts::*f : {&Counts::handles, &Counts::threads, &Counts::windows, &Counts::gdi, &Counts::user,
                            &Counts::privateKb, &Counts::workingSetKb})
    c.*f /= opens;
  return c;
}

double Median(const std::vector<Counts>& rounds, double Counts::*field) {
  std::vector<double> v;
  for (const Counts& c : rounds) v.push_back(c.*field);
  std::sort(v.begin(), v.end());
  if (v.empty()) return 0;
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Segment {
  int opens = 0;  // every entry opened, the one the segment ends in included
  int played = 0;
  bool failed = false;
};

// The program's playlist in repeat-all from its first entry until `entries` entries have ended, each in
// the engine its kind names; then the entry that has just begun is stopped.
Segment PlayRound(CPlayerView& view, const std::vector<Item>& mix, int entries, int& entryNumber) {
  CFileListModel& model = view.Files();
  Segment s;
  view.Start();
  s.opens = 1;
  std::int32_t playing = model.NowPlaying().id;
  double since = NowMs();
  EngineSelector seen = EngineSelector::kNone;  // the engine that played the entry
  while (s.played < entries) {
    PumpFor(5);
    const Item& item = mix[static_cast<std::size_t>(s.played) % mix.size()];
    if (model.NowPlaying().id == playing) {
      if (view.Selected() != EngineSelector::kNone) seen = view.Selected();
      if (NowMs() - since <= kStallMs) continue;
      std::printf("  FAIL: stall at entry %d (%s %s): no change in %.0f s (engine %d, %s)\n", entryNumber + 1,
                  soak::KindName(item.kind), item.path.c_str(), kStallMs / 1000, static_cast<int>(view.Selected()),
                  view.DirectShow().LastDiagnostic());
      s.failed = true;
      break;
    }
    if (seen != EngineOf(item.kind)) {
      std::printf("  FAIL: entry %d (%s %s) %s\n", entryNumber + 1, soak::KindName(item.kind), item.path.c_str(),
                  seen == EngineSelector::kNone ? "played in no engine: the player skipped it"
                                                : "played in another engine");
      s.failed = true;
      break;
    }
    playing = model.NowPlaying().id;
    since = NowMs();
    seen = view.Selected();  // the next entry's, opened by now
    ++s.played;
    ++s.opens;
    ++entryNumber;
  }
  view.Stop();
  return s;
}

// The same opens as a program round (the entry it ends in included) with bare calls.
Segment BareRound(soak::BareOpens& bare, const std::vector<Item>& mix, int opens, int& failuresShown) {
  Segment s;
  for (int i = 0; i < opens; ++i) {
    const Item& item = mix[static_cast<std::size_t>(i) % mix.size()];
    ++s.opens;
    if (bare.Open(item.kind, fw::Widen(item.path))) {
      ++s.played;
    } else {
      s.failed = true;
      if (failuresShown++ < 5)
        std::printf("  FAIL: bare %s open of %s: %s\n", soak::KindName(item.kind), item.path.c_str(),
                    bare.Failure().c_str());
    }
  }
  return s;
}

struct Verdicts {
  bool allPassed = true;

  // Growth that passes within 1.05 times the bare calls' growth (or without growth at all), judged on the
  // medians of the rounds' growth per open: a round in which the heap takes a large block at once is
  // not growth per entry. The means over every round are printed beside them.
  void Ratio(const char* what, double p, double b, double pMean, double bMean, const char* unit) {
    const bool pass = p <= 0 || p <= 1.05 * b;
    allPassed = allPassed && pass;
    std::printf("  %-14s %+10.3f %-2s  bare %+10.3f %-2s  ratio %s  %s   (means %+.3f, bare %+.3f)\n", what, p, unit,
                b, unit, b > 0 && p > 0 ? Format(p / b).c_str() : "   -  ", pass ? "PASS" : "FAIL (more than 1.05x bare)",
                pMean, bMean);
  }
  // Objects of which the program may leave none behind.
  void None(const char* what, double program, double bare, int opens, bool measured) {
    if (!measured) {
      allPassed = false;
      std::printf("  %-14s not measurable here  FAIL (no verdict without a count)\n", what);
      return;
    }
    const bool pass = program <= 0;
    allPassed = allPassed && pass;
    std::printf("  %-14s %+10.3f     bare %+10.3f     total %+5.0f  %s\n", what, program / opens, bare / opens,
                program, pass ? "PASS" : "FAIL (must be +0)");
  }
  static std::string Format(double r) {
    char text[16];
    std::snprintf(text, sizeof text, "%5.2fx", r);
    return text;
  }
};

bool Playlist(CMainFrame& frame, int entries, const std::string& kinds) {
  // Ten rounds, of at most 50 entries.
  const int roundEntries = std::clamp(entries / 10, 5, 50);
  CPlayerView& view = frame.View();
  const std::vector<Item> mix = MakeMix(kinds);
  if (mix.empty()) {
    std::printf("FAIL: no engine in \"%s\" (d, q, r, p)\n", kinds.c_str());
    return false;
  }
  for (const Item& item : mix) {
    if (::GetFileAttributesA(item.path.c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::printf("FAIL: no %s (build the test_media target)\n", item.path.c_str());
      return false;
    }
    view.Files().AddEntry(view.Files().EntryForOpenPath(item.path));
  }
  view.Config().playMode = kRepeatAll;
  soak::BareOpens bare(view.Hwnd());

  const Usage first = Measure();
  g_probeGui = first.gdi == 0 && first.user == 0;
  const bool guiMeasured = !g_probeGui || soak::SelfCheck();
  std::string names;
  for (const Item& item : mix) names += std::string(names.empty() ? "" : ", ") + soak::KindName(item.kind);
  std::printf("playlist of %zu entries in repeat-all (%s),\n%d entries in rounds of %d, each round beside the same opens with bare calls "
              "(order alternating);\nthe first round is the warm-up. GDI and USER objects: %s\n",
              mix.size(), names.c_str(), entries, roundEntries,
              !g_probeGui     ? "GetGuiResources"
              : guiMeasured ? "probed in the process's handle tables (GetGuiResources reads 0 here)"
                            : "not measurable here");

  const int rounds = std::max(kWarmUpRounds + 1, (entries + roundEntries - 1) / roundEntries);
  Counts program, bareGrowth;
  std::vector<Counts> programRounds, bareRounds;  // growth per open of each round after the warm-up
  int programOpens = 0, bareOpens = 0, played = 0, entryNumber = 0, failuresShown = 0;
  bool failed = false;
  double longestRound = 0;
  PrintHeader();
  const double t0 = NowMs();
  for (int r = 0; r < rounds && !failed; ++r) {
    const double roundStart = NowMs();
    Counts before = Read();
    auto programRound = [&] {
      Segment s = PlayRound(view, mix, roundEntries, entryNumber);
      const Counts after = Read();
      PrintRow(r, "program", s.opens, after, before);
      if (r >= kWarmUpRounds) {
        Add(program, after, before);
        programRounds.push_back(PerOpen(after, before, s.opens));
        programOpens += s.opens;
      }
      played += s.played;
      failed = failed || s.failed;
      before = after;
      return s.opens;
    };
    auto bareRound = [&](int opens) {
      Segment s = BareRound(bare, mix, opens, failuresShown);
      const Counts after = Read();
      PrintRow(r, "bare", s.opens, after, before);
      if (r >= kWarmUpRounds) {
        Add(bareGrowth, after, before);
        bareRounds.push_back(PerOpen(after, before, s.opens));
        bareOpens += s.opens;
      }
      failed = failed || s.failed;
      before = after;
    };
    // The program's round opens one entry more than it plays (the one it stops in); the bare round
    // makes the same opens.
    if (r % 2 == 0) {
      const int opens = programRound();
      if (!failed) bareRound(opens);
    } else {
      bareRound(roundEntries + 1);
      if (!failed) programRound();
    }
    longestRound = std::max(longestRound, NowMs() - roundStart);
  }
  const double elapsed = NowMs() - t0;

  std::printf("%d entries played in %.0f s (longest round %.1f s), %d stalls or skipped entries\n", played,
              elapsed / 1000, longestRound / 1000, failed ? 1 : 0);
  if (failed || programOpens == 0 || bareOpens == 0) {
    std::printf("FAIL: the soak did not run to its end\n");
    return false;
  }
  std::printf("growth per open after the warm-up, median of the rounds: program (%d opens) beside bare calls (%d "
              "opens)\n", programOpens, bareOpens);
  // Both sides make the same number of opens; per open divides each by its own.
  auto perBare = [&](double v) { return v * programOpens / bareOpens; };
  Verdicts v;
  auto ratio = [&](const char* what, double Counts::*field, const char* unit) {
    v.Ratio(what, Median(programRounds, field), Median(bareRounds, field), program.*field / programOpens,
            bareGrowth.*field / bareOpens, unit);
  };
  ratio(bench::g_handlesFromTable ? "handles (table)" : "handles", &Counts::handles, "");
  ratio("threads", &Counts::threads, "");
  v.None("windows", program.windows, perBare(bareGrowth.windows), programOpens, true);
  v.None("GDI objects", program.gdi, perBare(bareGrowth.gdi), programOpens, guiMeasured);
  v.None("USER objects", program.user, perBare(bareGrowth.user), programOpens, guiMeasured);
  ratio("private bytes", &Counts::privateKb, "KB");
  std::printf("  %-14s %+10.3f KB  bare %+10.3f KB  (no verdict)\n", "working set",
              program.workingSetKb / programOpens, bareGrowth.workingSetKb / bareOpens);
  std::printf("soak %s\n", v.allPassed ? "PASS" : "FAIL");
  return v.allPassed;
}

void Report(const char* what, const Usage& early, const Usage& late, int steps) {
  std::printf("  %-34s handles %+6ld (%+.3f per step)   private %+9.0f KB (%+.2f per step)\n", what,
              static_cast<long>(late.handles) - static_cast<long>(early.handles),
              (static_cast<double>(late.handles) - early.handles) / steps, late.privateKb - early.privateKb,
              (late.privateKb - early.privateKb) / steps);
}

void Browsing(CMainFrame& frame, int moves) {
  char tmp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, tmp);
  const std::string a = std::string(tmp) + "tarn_bench_list\\flat", b = std::string(tmp) + "tarn_bench_list\\other";
  if (::GetFileAttributesA(a.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf("  (run bench_browser_screen first: it makes the two folders of 10,000 files)\n");
    return;
  }
  CFileListWnd& list = frame.View().FileList();
  list.ShowList();
  Usage early;
  for (int i = 0; i < moves; ++i) {
    list.EnterFolder(i % 2 ? a : b);
    PumpFor(1);
    if (i == moves / 10) early = Measure();
  }
  Report("per folder change (10,000 files)", early, Measure(), moves - moves / 10);
  for (int i = 0; i < moves; ++i) {
    list.HandleKey(VK_NEXT, 1);
    PumpFor(1);
    if (i == moves / 10) early = Measure();
  }
  Report("per Page Down", early, Measure(), moves - moves / 10);
}

}  // namespace

int main(int argc, char** argv) {
  const int entries = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500;
  const int moves = argc > 2 ? std::max(0, std::atoi(argv[2])) : 1000;
  const std::string kinds = argc > 3 ? argv[3] : "dqrp";
  const std::string settings = SettingsFilePath();
  ::DeleteFileA(settings.c_str());
  ::WritePrivateProfileStringA("CONFIG", "EXT_VIDEO", "avi,mp4(q),mov(q),real(r)", settings.c_str());
  ::WritePrivateProfileStringA("CONFIG", "EXT_PICTURE", "jpg(p)", settings.c_str());
  // A picture in the playlist stands for the slideshow time: the shortest the player allows.
  ::WritePrivateProfileStringA("CONFIG", "SLIDESHOWTIME", "1", settings.c_str());
  bool passed = false;
  {
    CPlayerApp app;
    CMainFrame frame;
    frame.View().LoadSettings();
    if (!frame.Create()) return 1;
    ::ShowWindow(frame.Hwnd(), SW_SHOW);
    PumpFor(100);
    passed = Playlist(frame, entries, kinds);
    if (moves > 0) Browsing(frame, moves);
  }
  ::DeleteFileA(settings.c_str());
  return passed ? 0 : 1;
}
