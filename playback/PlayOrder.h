#pragma once
// What plays after an entry, or on Next and Previous, by the play mode: no repeat (0), repeat all (1),
// repeat one (2, and any unknown value), random (3). Win32-free; the player view carries out the choice.

#include <cstdint>
#include <functional>
#include <set>

// The playlist as the play order sees it: count N, the command entries at 0 … F − 1, the files after them.
struct PlaylistIds {
  int count = 0;
  int commandEntries = 0;
  std::function<std::int32_t(int index)> idAt;
};

// A uniform draw from 0 … n − 1 (n > 0).
using UniformDraw = std::function<std::uint32_t(std::uint32_t n)>;

struct PlayChoice {
  enum Action { kNothing, kPlayIndex, kStop, kRestartNowPlaying } action = kNothing;
  int index = -1;
  friend bool operator==(const PlayChoice&, const PlayChoice&) = default;
};

constexpr int kNoRepeat = 0, kRepeatAll = 1, kRepeatOne = 2, kRandom = 3;

// The end-of-entry rule. place: the now-playing entry's index in the playlist, else the playlist current
// entry's, else -1 (then it stops).
PlayChoice ChooseAfterEnd(const PlaylistIds& list, int place, int playMode, std::set<std::int32_t>& history,
                          const UniformDraw& draw);

// Next: the same rule, except that without a place nothing happens.
PlayChoice ChooseNext(const PlaylistIds& list, int place, int playMode, std::set<std::int32_t>& history,
                      const UniformDraw& draw);

// Previous: within the first second, the entry before the now-playing one by the play mode (or the
// playlist current entry when the now-playing one is not in the playlist); later, or when neither is
// found, the now-playing entry starts again.
PlayChoice ChoosePrevious(const PlaylistIds& list, int nowPlayingIndex, int playlistCurrentIndex, int currentSeconds,
                          int playMode, std::set<std::int32_t>& history, const UniformDraw& draw);

// The next mode of the cycle 0 → 1 → 2 → 3 → 0; anything above 3 (or below 0) wraps to 0.
int NextPlayMode(int playMode);

// A random file the history has not seen: every file once before any repeats. The history is reset when
// all of the playlist's files have been drawn. -1 when the playlist has no files.
int DrawUnplayed(const PlaylistIds& list, std::set<std::int32_t>& history, const UniformDraw& draw);
