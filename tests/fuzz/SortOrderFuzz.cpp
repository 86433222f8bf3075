// The list orders as properties: in every mode the comparison is antisymmetric and transitive over all
// triples of random entries (so a sort can never run off the array), and Sort yields a permutation
// ordered by the comparison.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>

#include "browser/Sort.h"
#include "FuzzSupport.h"

namespace {

constexpr SortMode kModes[] = {SORT_NAME_FORWARD, SORT_NAME_REVERSE, SORT_TIME_FORWARD, SORT_TIME_REVERSE, SORT_PATH};

// Pieces names are made of: letters of both cases, separators, double-byte characters whose trail byte
// is a backslash ("表", "ソ") or a letter, a lone lead byte, half-width katakana and bytes at the ends.
constexpr std::string_view kPieces[] = {
    "a", "A", "b", "B", "z", "_", "0", "\\", ".", " ", "\x95\x5C", "\x83\x5C", "\x82\x60", "\x82\x81",
    "\x81", "\xB1", "\xFC\x40", "\x80", "\xFF", std::string_view("\0", 1),
};

constexpr EntryKind kKinds[] = {
    KIND_HOME, KIND_PARENT, KIND_PARENT_ROOT, KIND_DRIVE, KIND_FOLDER, KIND_FOLDER | KIND_VIA_SHORTCUT,
    0xB00, KIND_VIDEO, KIND_VIDEO | ENGINE_QUICKTIME, KIND_AUDIO | KIND_VIA_SHORTCUT, KIND_PICTURE | ENGINE_PICTURE,
    KIND_OPEN, 0,
};

constexpr std::int64_t kTimes[] = {0, 1, -1, 1700000000, INT64_MIN, INT64_MAX};

std::string MakeName(FuzzedDataProvider& in) {
  std::string name;
  const std::size_t pieces = in.ConsumeIntegralInRange<std::size_t>(0, 12);
  for (std::size_t p = 0; p < pieces; ++p) {
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0)
      name += static_cast<char>(in.ConsumeIntegral<unsigned char>());
    else
      name += in.PickValueInArray(kPieces);
  }
  return name;
}

// Names of one listing mostly share their folder: the sort skips what a group's names share.
FileEntry MakeEntry(FuzzedDataProvider& in, const std::string& folder, std::int32_t id) {
  FileEntry e;
  e.name = (in.ConsumeBool() ? folder : std::string()) + MakeName(in);
  e.kind = in.ConsumeIntegralInRange<int>(0, 15) == 0 ? in.ConsumeIntegral<EntryKind>() : in.PickValueInArray(kKinds);
  e.lastWriteTime = in.PickValueInArray(kTimes);
  e.creationTime = e.lastWriteTime;
  e.id = id;
  return e;
}

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string folder = MakeName(in) + MakeName(in);
  std::vector<FileEntry> entries;
  while (entries.size() < 32 && in.remaining_bytes() > 0)
    entries.push_back(MakeEntry(in, folder, static_cast<std::int32_t>(entries.size()) + 1));

  const std::size_t few = std::min<std::size_t>(entries.size(), 12);
  for (SortMode mode : kModes) {
    int order[12][12];
    for (std::size_t i = 0; i < few; ++i)
      for (std::size_t j = 0; j < few; ++j) order[i][j] = Sign(CompareEntries(entries[i], entries[j], mode));
    for (std::size_t i = 0; i < few; ++i) {
      FUZZ_CHECK(order[i][i] == 0);
      for (std::size_t j = 0; j < few; ++j) {
        FUZZ_CHECK(order[i][j] == -order[j][i]);
        if (order[i][j] > 0) continue;
        for (std::size_t k = 0; k < few; ++k)
          if (order[j][k] <= 0) FUZZ_CHECK(order[i][k] <= 0);
      }
    }

    std::vector<FileEntry> sorted = entries;
    Sort(sorted, mode);
    FUZZ_CHECK(sorted.size() == entries.size());
    std::vector<bool> seen(entries.size() + 1, false);
    for (const FileEntry& e : sorted) {
      FUZZ_CHECK(e.id >= 1 && static_cast<std::size_t>(e.id) <= entries.size() && !seen[e.id]);
      seen[e.id] = true;
      FUZZ_CHECK(e.name == entries[e.id - 1].name && e.kind == entries[e.id - 1].kind);
    }
    for (std::size_t i = 1; i < sorted.size(); ++i) FUZZ_CHECK(CompareEntries(sorted[i - 1], sorted[i], mode) <= 0);
  }

  std::vector<FileEntry> unchanged = entries;
  Sort(unchanged, 2);
  for (std::size_t i = 0; i < entries.size(); ++i) FUZZ_CHECK(unchanged[i].id == entries[i].id);
  Sort(nullptr, entries.size(), SORT_PATH);
  return 0;
}
