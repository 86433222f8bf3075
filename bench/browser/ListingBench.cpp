// Listing benchmark (issue 3): the file list model on real folders against a bare enumeration of the same
// folders, alternating, several runs each; prints the medians and their ratios.
//   1. BuildFileList of a 10,000-file folder in name order against a bare FindFirstFile/FindNextFile loop.
//   2. CollectTree of 20,000 files in 500 folders against a bare recursive FindFirstFile/FindNextFile walk.
//   3. BuildFileList of a 10,000-file folder of names outside the code page (accents, Hangul, emoji)
//      against a bare FindFirstFileW/FindNextFileW loop.
// The folders are made once in the system's temporary folder (tarn_bench_browser) and kept for the next
// run; --clean removes them afterwards.
//   bench_browser_listing [runs] [--clean]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "browser/FileListModel.h"
#include "framework/CodePage.h"
#include "config/Settings.h"

using bench::Median;
using bench::NowMs;

namespace {

bool Touch(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = folder + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(full);
      else
        DeleteFileW(full.c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(folder.c_str());
}

// A file name of the mix a media folder holds: mostly listed media, some open-with and unlisted files,
// every seventh name in Japanese (with the 0x5C trail bytes of 表 and ソ).
std::string MixedName(int i) {
  static const char* exts[] = {"avi", "mp4", "mpg", "mp3", "wav", "jpg", "bmp", "txt", "dat", "wmv"};
  char buf[96];
  if (i % 7 == 0)
    std::snprintf(buf, sizeof buf, "表示ソフト録画_%05d.%s", i, exts[i % 10]);
  else
    std::snprintf(buf, sizeof buf, "Clip %05d take.%s", i, exts[i % 10]);
  return buf;
}

// A name outside the code page, of the mix a library of today holds.
std::wstring WideName(int i) {
  static const wchar_t* stems[] = {L"Caf\u00E9 del Mar", L"\uD55C\uAD6D\uC5B4 \uB178\uB798", L"\u00DCn\u00EFc\u00F6d\u00E9 \u2713",
                                   L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC", L"\xD83C\xDFB5 clip", L"\u97F3\u697D\u266A"};
  static const wchar_t* exts[] = {L"avi", L"mp4", L"mp3", L"jpg", L"txt"};
  wchar_t buf[96];
  std::swprintf(buf, 96, L"%ls %05d.%ls", stems[i % 6], i, exts[i % 5]);
  return buf;
}

bool TouchWide(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

// Bare wide enumeration of folder\*.*, counted.
std::size_t BareFolderWide(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  std::size_t n = 0;
  do ++n;
  while (FindNextFileW(h, &fd));
  FindClose(h);
  return n;
}

// Bare enumeration: every item of folder\*.*, counted; with ex, the search the model uses (basic
// information level, large fetch).
std::size_t BareFolder(const std::string& folder, bool ex = false) {
  WIN32_FIND_DATAA fd;
  const std::string pattern = folder + "\\*.*";
  HANDLE h = ex ? FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH)
                : FindFirstFileA(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  std::size_t n = 0;
  do ++n;
  while (FindNextFileA(h, &fd));
  FindClose(h);
  return n;
}

// Bare recursive enumeration: every file below folder, counted.
std::size_t BareTree(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  std::size_t n = 0;
  std::vector<std::string> subs;
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (strcmp(fd.cFileName, ".") != 0 && strcmp(fd.cFileName, "..") != 0)
        subs.push_back(folder + "\\" + fd.cFileName);
    } else {
      ++n;
    }
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  for (const std::string& s : subs) n += BareTree(s);
  return n;
}

struct Result {
  std::vector<double> model, bare;
};

// Medians and minimums; the minimum is the figure least disturbed by other work on the machine.
void Report(const char* what, const Result& r, const char* target) {
  double m = Median(r.model), b = Median(r.bare);
  double mm = *std::min_element(r.model.begin(), r.model.end());
  double bm = *std::min_element(r.bare.begin(), r.bare.end());
  std::printf("%-42s median %7.2f / %7.2f ms = %.2f   min %7.2f / %7.2f ms = %.2f   (target %s)\n", what, m, b,
              b > 0 ? m / b : 0.0, mm, bm, bm > 0 ? mm / bm : 0.0, target);
}

bool MakeFolders(const std::string& base, const std::string& flat, const std::string& tree, const std::string& wide) {
  const std::string marker = base + "\\complete-2";
  if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  RemoveTree(fw::Widen(base));
  CreateDirectoryA(base.c_str(), nullptr);
  CreateDirectoryA(flat.c_str(), nullptr);
  CreateDirectoryA(tree.c_str(), nullptr);
  CreateDirectoryA(wide.c_str(), nullptr);
  double t0 = NowMs();
  for (int i = 0; i < 10000; ++i)
    if (!Touch(flat + "\\" + MixedName(i)) || !TouchWide(fw::Widen(wide) + L"\\" + WideName(i))) {
      std::printf("cannot make file %d\n", i);
      return false;
    }
  // 500 folders: 20 top folders with 24 subfolders each (20 + 480), 40 files in each folder.
  int made = 0;
  for (int top = 0; top < 20; ++top) {
    char name[64];
    std::snprintf(name, sizeof name, "\\Series %02d", top);
    std::string topDir = tree + name;
    std::vector<std::string> dirs = {topDir};
    for (int sub = 0; sub < 24; ++sub) {
      std::snprintf(name, sizeof name, "\\Season %02d", sub);
      dirs.push_back(topDir + name);
    }
    for (const std::string& d : dirs) {
      CreateDirectoryA(d.c_str(), nullptr);
      for (int f = 0; f < 40; ++f) Touch(d + "\\" + MixedName(made++));
    }
  }
  std::printf("made 10,000 files in each of two folders and %d files in 500 folders in %.0f ms (kept in %s)\n", made,
              NowMs() - t0, base.c_str());
  return Touch(marker);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 9;
  bool clean = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--clean") == 0)
      clean = true;
    else
      runs = std::max(1, std::atoi(argv[i]));
  }
  char tmp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, tmp);
  const std::string base = std::string(tmp) + "tarn_bench_browser";
  const std::string flat = base + "\\flat";
  const std::string tree = base + "\\tree";
  const std::string wideFolder = base + "\\wide";
  if (!MakeFolders(base, flat, tree, wideFolder)) return 1;

  Settings settings = DefaultSettings("Tarnvale");
  settings.homeDir = "C:\\";
  CFileListModel model(settings);
  SetCurrentDirectoryA(flat.c_str());

  // One warm-up of each, then alternating runs.
  model.BuildFileList(false, SORT_NAME_FORWARD);
  BareFolder(flat);
  model.CollectTree(tree);
  BareTree(tree);

  Result listing, listingTime, scan, bareEx, collection, wideListing;
  std::size_t listed = 0, bareItems = 0, collected = 0, bareFiles = 0, wideListed = 0, bareWide = 0;
  // Each run times every variant once; odd runs take them in the opposite order.
  for (int r = 0; r < runs; ++r) {
    double t[5] = {};
    auto time = [](auto&& f) {
      double a = NowMs();
      f();
      return NowMs() - a;
    };
    auto step = [&](int i) {
      switch (i) {
        case 0: t[0] = time([&] { model.BuildFileList(false, SORT_NAME_FORWARD); }); break;
        case 1: t[1] = time([&] { bareItems = BareFolder(flat); }); break;
        case 2: t[2] = time([&] { model.BuildFileList(false, SORT_TIME_FORWARD); }); listed = model.FileList().size(); break;
        case 3: t[3] = time([&] { BareFolder(flat, true); }); break;
        case 4: t[4] = time([&] { model.BuildFileList(false, 2); }); break;  // not a sort mode: unsorted
      }
    };
    for (int i = 0; i < 5; ++i) step(r % 2 ? 4 - i : i);
    listing.model.push_back(t[0]);
    listing.bare.push_back(t[1]);
    listingTime.model.push_back(t[2]);
    listingTime.bare.push_back(t[1]);
    bareEx.model.push_back(t[3]);
    bareEx.bare.push_back(t[1]);
    scan.model.push_back(t[4]);
    scan.bare.push_back(t[1]);

    double c = 0, b = 0;
    if (r % 2) {
      b = time([&] { bareFiles = BareTree(tree); });
      c = time([&] { collected = model.CollectTree(tree); });
    } else {
      c = time([&] { collected = model.CollectTree(tree); });
      b = time([&] { bareFiles = BareTree(tree); });
    }
    collection.model.push_back(c);
    collection.bare.push_back(b);

    // The folder of wide names, entered for each run (the model lists the current directory).
    SetCurrentDirectoryA(wideFolder.c_str());
    double w = 0, wb = 0;
    if (r % 2) {
      wb = time([&] { bareWide = BareFolderWide(fw::Widen(wideFolder)); });
      w = time([&] { model.BuildFileList(false, SORT_NAME_FORWARD); });
    } else {
      w = time([&] { model.BuildFileList(false, SORT_NAME_FORWARD); });
      wb = time([&] { bareWide = BareFolderWide(fw::Widen(wideFolder)); });
    }
    wideListed = model.FileList().size();
    wideListing.model.push_back(w);
    wideListing.bare.push_back(wb);
    SetCurrentDirectoryA(flat.c_str());
  }

  std::printf("%d runs each, model / bare enumeration; listed %zu entries of %zu items, collected %zu of %zu files\n", runs, listed,
              bareItems, collected, bareFiles);
  Report("BuildFileList, 10,000 files, name order", listing, "<= 1.5");
  Report("BuildFileList, 10,000 files, time order", listingTime, "-");
  Report("  of which the listing without the sort", scan, "-");
  Report("  bare FindFirstFileEx (basic, large fetch)", bareEx, "-");
  Report("CollectTree, 20,000 files in 500 folders", collection, "<= 1.5");
  std::printf("wide names: listed %zu entries of %zu items\n", wideListed, bareWide);
  Report("BuildFileList, 10,000 wide names, name order", wideListing, "<= 1.2");

  SetCurrentDirectoryA(tmp);
  if (clean) RemoveTree(fw::Widen(base));
  return 0;
}
