#pragma once
// The five orders of the browser's lists with the group rule, the sort-mode cycle and the sort switch
// faces, and the TV recording folder's prefix test. Win32-free.

#include <cstddef>
#include <string_view>
#include <vector>

#include "browser/FileEntry.h"

// True for the five sort modes 0, 1, 16, 17, 32.
bool IsSortMode(SortMode mode);

// The comparison of one mode with the group rule: <0 when a comes first, >0 when b does, 0 when they
// compare equal. mode must be one of the five codes (any other compares everything equal).
int CompareEntries(const FileEntry& a, const FileEntry& b, SortMode mode);

// Sorts in place with the comparison of the mode; an absent array or another mode leaves it unchanged.
// Not stable: entries that compare equal end in no particular order.
void Sort(FileEntry* entries, std::size_t count, SortMode mode);
void Sort(std::vector<FileEntry>& entries, SortMode mode);

// The cycle of the sort switch: 0 -> 1 -> 16 -> 17 -> 0; any other mode goes to 0.
SortMode NextSortMode(SortMode mode);

// The sort switch's face for a mode: the bitmap file in the skin folder and the built-in resource. Path
// order and unknown modes have none (file null, resource 0).
struct SortFace {
  const char* file = nullptr;
  int resource = 0;
};
SortFace FaceOfSortMode(SortMode mode);

// The TV recording folder's rule: tvDir not empty and dir, lower-cased (ASCII letters only), begins with
// tvDir lower-cased. Used for the current directory and for the now-playing entry's path.
bool IsTvPath(std::string_view dir, std::string_view tvDir);
