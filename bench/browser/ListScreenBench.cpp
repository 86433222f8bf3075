// The file list on screen, in the real windows of a main frame:
//  - entering a folder of 10,000 files until every visible row has painted, against BuildFileList of the
//    same folder alone (target: at most 1.3);
//  - Page Down in that list until the rows have painted (target: median at most 16 ms), against bare
//    BitBlts of the same rows' size to the same windows.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/MainFrame.h"
#include "bench/BenchResources.h"
#include "bench/BenchTiming.h"
#include "config/IniProfile.h"
#include "framework/Gdi.h"

using bench::Median;
using bench::NowMs;
using bench::Settle;

namespace {

bool MakeFlatFolder(const std::string& folder, int files) {
  ::CreateDirectoryA(folder.c_str(), nullptr);
  char last[MAX_PATH];
  std::snprintf(last, sizeof last, "%s\\clip%05d.avi", folder.c_str(), files - 1);
  if (::GetFileAttributesA(last) != INVALID_FILE_ATTRIBUTES) return true;
  for (int i = 0; i < files; ++i) {
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%s\\clip%05d.avi", folder.c_str(), i);
    HANDLE h = ::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
  }
  return true;
}

void Report(const char* what, const std::vector<double>& ours, const std::vector<double>& base, const char* target) {
  const double a = Median(ours), b = Median(base);
  std::printf("%-58s %8.2f ms / %8.2f ms = %5.2f   (target %s)\n", what, a, b, b > 0 ? a / b : 0.0, target);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
  char tmp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, tmp);
  const std::string base = std::string(tmp) + "tarn_bench_list";
  const std::string flat = base + "\\flat", other = base + "\\other";
  ::CreateDirectoryA(base.c_str(), nullptr);
  if (!MakeFlatFolder(flat, 10000) || !MakeFlatFolder(other, 10000)) return 1;
  ::DeleteFileA(SettingsFilePath().c_str());
  ::WritePrivateProfileStringA("CONFIG", "HOMEDIR", base.c_str(), SettingsFilePath().c_str());

  CMainFrame frame;
  frame.View().LoadSettings();
  if (!frame.Create()) return 1;
  ::ShowWindow(frame.Hwnd(), SW_SHOW);
  ::SetWindowPos(frame.View().Hwnd(), nullptr, 0, 0, 1024, 768, SWP_NOZORDER);
  CFileListWnd& list = frame.View().FileList();
  list.ShowList();
  Settle();

  // Into the folder from another long list (the rows stay where they are) and from a short one (the rows
  // are shown first, which costs Wine a round trip to the display for each).
  std::vector<double> enter, fromShort, listing, listingShort, page, blit;
  auto timeEnter = [&](const std::string& from, std::vector<double>& into, std::vector<double>& alone) {
    if (from.empty())
      list.GoHome(false, true);
    else
      list.EnterFolder(from);
    Settle();
    double t = NowMs();
    list.EnterFolder(flat);
    Settle();
    into.push_back(NowMs() - t);
    t = NowMs();
    list.Model().BuildFileList();
    alone.push_back(NowMs() - t);
    list.Tags().Refresh();
  };
  for (int r = 0; r < runs; ++r) {
    timeEnter(other, enter, listing);
    timeEnter(std::string(), fromShort, listingShort);
  }
  const int rows = list.Tags().VisibleRows();

  // Page Down through the long list; and the same rows' windows filled by one BitBlt each.
  for (int r = 0; r < 5 * runs; ++r) {
    const double t = NowMs();
    list.HandleKey(VK_NEXT, 1);
    Settle();
    page.push_back(NowMs() - t);
  }
  for (int r = 0; r < 5 * runs; ++r) {
    const double t = NowMs();
    for (int i = 0; i < rows; ++i) {
      HWND h = list.Tags().Tag(i).Hwnd();
      RECT c;
      ::GetClientRect(h, &c);
      fw::WindowDC dc(h);
      fw::BackBuffer buffer(dc.Get(), c.right, c.bottom);
      ::PatBlt(buffer.Dc(), 0, 0, c.right, c.bottom, r % 2 ? BLACKNESS : WHITENESS);
      buffer.Present(dc.Get());
    }
    ::GdiFlush();
    blit.push_back(NowMs() - t);
  }

  std::printf("%d runs; %zu entries, %d visible rows\n", runs, list.Model().FileList().size(), rows);
  Report("enter a folder of 10,000 files until the rows have painted", enter, listing, "<= 1.3");
  Report("  the same from a short list, showing the rows", fromShort, listingShort, "-");
  Report("Page Down until the rows have painted / bare BitBlts", page, blit, "median <= 16 ms");
  ::DeleteFileA(SettingsFilePath().c_str());
  return 0;
}
