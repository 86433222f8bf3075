// Sort benchmark (issue 3): 100,000 entries sorted in each of the five modes. Win32-free; built natively.
// Prints milliseconds (median of several runs) and entries per second.
//   bench_browser_sort [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "browser/Sort.h"

namespace {

// A tree of 100,000 entries in 500 folders: files of every class with mixed-case and Japanese names
// (including the 0x5C trail bytes of 表 and ソ), a few folders and the command entries.
std::vector<FileEntry> MakeEntries(std::size_t n) {
  std::mt19937 rng(20240601);
  static const char* words[] = {"Clip", "clip", "ドラマ", "表示", "ソフト", "Movie", "movie", "News", "音楽", "Take"};
  static const char* exts[] = {"avi", "mp4", "MPG", "mp3", "wav", "jpg", "BMP", "txt", "wmv", "lnk"};
  static const EntryKind kinds[] = {0xC00, 0xC10, 0xC00, 0xD00, 0xD00, 0xEF0, 0xEF0, 0xF00, 0xC00, 0xC01};
  std::uniform_int_distribution<int> word(0, 9), ext(0, 9), folder(0, 499), num(0, 999999);
  std::uniform_int_distribution<std::int64_t> time(1000000000, 1700000000);
  std::vector<FileEntry> v;
  v.reserve(n);
  std::int32_t id = 1;
  for (const char* text : {kTextHome, kTextClearPlaylist, kTextPlayPlaylist, kTextAddFolder, kTextParent})
    v.push_back({text, text == kTextHome ? KIND_HOME : KIND_PARENT, 0, 0, id++, 0});
  while (v.size() < n) {
    int f = folder(rng);
    char name[160];
    if (v.size() % 50 == 0) {
      std::snprintf(name, sizeof name, "D:\\Media\\Series %03d\\%s %06d", f, words[word(rng)], num(rng));
      v.push_back({name, KIND_FOLDER, 0, time(rng), id++, 0});
      continue;
    }
    int e = ext(rng);
    std::snprintf(name, sizeof name, "D:\\Media\\Series %03d\\%s %s %06d.%s", f, words[word(rng)], words[word(rng)],
                  num(rng), exts[e]);
    std::int64_t t = time(rng);
    v.push_back({name, kinds[e], t, t, id++, 0});
  }
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::size_t n = 100000;
  const std::vector<FileEntry> entries = MakeEntries(n);
  struct {
    SortMode mode;
    const char* name;
  } modes[] = {{SORT_NAME_FORWARD, "name forward (0)"},
               {SORT_NAME_REVERSE, "name reverse (1)"},
               {SORT_TIME_FORWARD, "time forward (16)"},
               {SORT_TIME_REVERSE, "time reverse (17)"},
               {SORT_PATH, "path order (32)"}};
  std::printf("Sort of %zu entries in 500 folders, median of %d runs\n", n, runs);
  for (const auto& m : modes) {
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
      std::vector<FileEntry> copy = entries;
      auto a = std::chrono::steady_clock::now();
      Sort(copy, m.mode);
      auto b = std::chrono::steady_clock::now();
      ms.push_back(std::chrono::duration<double, std::milli>(b - a).count());
    }
    std::sort(ms.begin(), ms.end());
    double median = ms[ms.size() / 2];
    std::printf("  %-18s %8.2f ms   %12.0f entries/s\n", m.name, median, double(n) / (median / 1000.0));
  }
  return 0;
}
