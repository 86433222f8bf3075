// Where a DirectShow open of the program costs more than the bare calls: the same clip opened, run for
// the same time and closed by a ladder of variants, from the bare graph to the player view's PlayEntry,
// each step adding one thing the program does; first of all the bare graph run for only 20 ms, as
// bench_playback's bare calls run it. The variants take turns in rounds (the order rotating),
// the first round is the warm-up, and the growth per open of handles, threads and private bytes is
// printed for each, with the step's difference to the one before it.
// With "picture", the same for a picture: from the bare picture load to the view's PlayEntry; with
// "still", the DirectShow ladder for a picture that the settings give to DirectShow (no mark).
//   bench_open_bisect [opens per round=20] [rounds=6] [picture|still]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "bench/BenchPaths.h"
#include "bench/BenchResources.h"
#include "bench/soak/BareOpens.h"
#include "config/IniProfile.h"
#include "framework/CodePage.h"
#include "framework/Gdi.h"
#include "framework/PictureFile.h"
#include "playback/PlaybackMath.h"

using bench::Measure;
using bench::NowMs;
using bench::PumpFor;
using bench::Usage;

namespace {

// Every variant streams this long before it is stopped: the view's PlayEntry returns after its 200 ms
// settle wait, and the soak's entries stream for longer still.
constexpr double kStreamMs = 250;

struct Variant {
  const char* name;
  std::function<bool()> open;
  double handles = 0, threads = 0, privateKb = 0;
  int opens = 0;
};

bool EngineOpen(CPlayerView& view, const std::wstring& path) {
  CDirectShowEngine engine;
  bool audioOnly = false;
  if (FAILED(engine.BuildGraph(path, view.Hwnd(), audioOnly))) return false;
  RECT client;
  ::GetClientRect(view.Hwnd(), &client);
  (void)engine.PlaceOutput(FitOutputRect(client.right, client.bottom, false, 0, 0), false);
  engine.SetVolume(view.Volume());
  std::int64_t earliest = 0, latest = 0;
  if (FAILED(engine.Run(earliest, latest))) return false;
  const double end = NowMs() + kStreamMs;
  while (NowMs() < end) {
    PumpFor(10);
    engine.DrainEvents();
    (void)engine.CurrentPosition();
  }
  engine.Close();
  return true;
}

bool ViewOpen(CPlayerView& view, const FileEntry& entry) {
  if (view.PlayEntry(entry, true) != 0) return false;
  PumpFor(kStreamMs - 200);  // PlayEntry has waited 200 ms
  view.Stop();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int perRound = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
  const int rounds = argc > 2 ? std::max(2, std::atoi(argv[2])) : 6;
  const std::string mode = argc > 3 ? argv[3] : "";
  ::DeleteFileA(SettingsFilePath().c_str());
  // A picture without its mark plays through DirectShow.
  if (mode == "still") ::WritePrivateProfileStringA("CONFIG", "EXT_PICTURE", "jpg", SettingsFilePath().c_str());
  int result = 1;
  {
    CPlayerApp app;
    CMainFrame frame;
    frame.View().LoadSettings();
    if (!frame.Create()) return 1;
    ::ShowWindow(frame.Hwnd(), SW_SHOW);
    PumpFor(100);
    CPlayerView& view = frame.View();
    const char* file = mode == "still" ? "pic.jpg" : "clip.avi";
    const std::string narrow = bench::FullPath(bench::ExeFolder() + "..\\media\\" + file);
    const std::wstring path = fw::Widen(narrow);
    const FileEntry entry = view.Files().EntryForOpenPath(narrow);
    const HWND window = view.Hwnd();
    auto bare = [&](soak::GraphOptions o) { return [&, o] { return soak::BareGraphOpen(path, window, o, 0); }; };
    const std::string pictureNarrow = bench::FullPath(bench::ExeFolder() + "..\\media\\pic.jpg");
    const std::wstring picturePath = fw::Widen(pictureNarrow);
    const FileEntry pictureEntry = view.Files().EntryForOpenPath(pictureNarrow);
    CPictureFile picture;
    bool listed = false;
    soak::BareOpens bareOpens(window);
    const bool pictures = mode == "picture";
    std::vector<Variant> pictureVariants = {
        {"bare: OleLoadPicture, drawn once", [&] { return bareOpens.Open(soak::Kind::kPicture, picturePath); }},
        {"CPictureFile: Load, Free", [&] { return picture.Load(picturePath) && picture.Free(); }},
        {"+ drawn into a back buffer",
         [&] {
           if (!picture.Load(picturePath)) return false;
           fw::WindowDC dc(window);
           fw::BackBuffer buffer(dc.Get(), 640, 480);
           picture.Render(buffer.Dc(), 0, 0, 640, 480);
           buffer.Present(dc.Get());
           return picture.Free();
         }},
        {"the view: PlayEntry, Stop", [&] { return ViewOpen(view, pictureEntry); }},
        {"the view: PlayEntry as the playlist's next",
         [&] {
           if (view.PlayEntry(pictureEntry, false) != 0) return false;
           PumpFor(50);
           view.Stop();
           return true;
         }},
        {"the playlist: Start, one slideshow step, Stop",
         [&] {
           if (!listed) {
             listed = true;
             // Two entries of the file, each with an identifier of its own.
             view.Files().AddEntry(view.Files().EntryForOpenPath(pictureNarrow));
             view.Files().AddEntry(view.Files().EntryForOpenPath(pictureNarrow));
             view.Config().playMode = kRepeatAll;
             view.Config().slideshowTime = 1;
           }
           view.Start();
           const std::int32_t first = view.Files().NowPlaying().id;
           const double end = NowMs() + 3000;
           while (NowMs() < end && view.Files().NowPlaying().id == first) PumpFor(5);
           view.Stop();
           return NowMs() < end;
         }},
        {"the view: PlayEntry, shown 1 s, Stop",
         [&] {
           if (view.PlayEntry(pictureEntry, true) != 0) return false;
           PumpFor(1000);
           view.Stop();
           return true;
         }},
    };
    std::vector<Variant> graphVariants = {
        {"bare, run 20 ms (bench_playback's)", bare({false, false, false, 20})},
        {"bare: RenderFile, owner, Run, Stop", bare({false, false, false, kStreamMs})},
        {"+ the GDI video renderer", bare({true, false, false, kStreamMs})},
        {"+ style, drain, notify, place, volume", bare({true, false, true, kStreamMs})},
        {"+ RenderFile on a thread of its own", bare({true, true, true, kStreamMs})},
        {"the engine: CDirectShowEngine", [&] { return EngineOpen(view, path); }},
        {"the view: PlayEntry, Stop", [&] { return ViewOpen(view, entry); }},
    };
    std::vector<Variant>& variants = pictures ? pictureVariants : graphVariants;
    if (pictures)
      std::printf("pic.jpg opened and closed; %d rounds of %d opens of each variant (the first round the warm-up)\n",
                  rounds, perRound);
    else
      std::printf("%s opened, run for %.0f ms (the first variant 20 ms) and closed; %d rounds of %d opens of each "
                  "variant (the first round the warm-up)\n", file, kStreamMs, rounds, perRound);
    bool failed = false;
    for (int r = 0; r < rounds && !failed; ++r) {
      for (std::size_t k = 0; k < variants.size() && !failed; ++k) {
        Variant& v = variants[(k + static_cast<std::size_t>(r)) % variants.size()];
        PumpFor(300);
        const Usage before = Measure();
        for (int i = 0; i < perRound && !failed; ++i) failed = !v.open();
        PumpFor(300);
        const Usage after = Measure();
        if (failed) std::printf("FAIL: an open of \"%s\" failed\n", v.name);
        if (r == 0) continue;
        v.handles += double(after.handles) - before.handles;
        v.threads += double(after.threads) - before.threads;
        v.privateKb += after.privateKb - before.privateKb;
        v.opens += perRound;
      }
    }
    if (!failed) {
      std::printf("  %-40s %9s %9s %12s %12s\n", "per open", "handles", "threads", "private KB", "step KB");
      double previous = 0;
      for (std::size_t k = 0; k < variants.size(); ++k) {
        const Variant& v = variants[k];
        const double kb = v.privateKb / v.opens;
        std::printf("  %-40s %+9.2f %+9.3f %+12.1f", v.name, v.handles / v.opens, v.threads / v.opens, kb);
        if (k > 0)
          std::printf(" %+12.1f\n", kb - previous);
        else
          std::printf("\n");
        previous = kb;
      }
      result = 0;
    }
  }
  ::DeleteFileA(SettingsFilePath().c_str());
  return result;
}
