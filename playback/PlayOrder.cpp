#include "playback/PlayOrder.h"

#include <vector>

namespace {

bool AllFilesIn(const PlaylistIds& list, const std::set<std::int32_t>& history) {
  for (int i = list.commandEntries; i < list.count; ++i)
    if (!history.count(list.idAt(i))) return false;
  return true;
}

PlayChoice Play(int index) { return {PlayChoice::kPlayIndex, index}; }

PlayChoice Stop() { return {PlayChoice::kStop, -1}; }

PlayChoice ByMode(const PlaylistIds& list, int place, int playMode, std::set<std::int32_t>& history,
                  const UniformDraw& draw) {
  const int first = list.commandEntries, last = list.count - 1;
  switch (playMode) {
    case kNoRepeat:
      return place < last ? Play(place + 1) : Stop();
    case kRepeatAll:
      return place >= last ? Play(first) : Play(place + 1);
    case kRandom: {
      int i = DrawUnplayed(list, history, draw);
      return i < 0 ? Stop() : Play(i);
    }
    default:
      return Play(place);
  }
}

}  // namespace

int DrawUnplayed(const PlaylistIds& list, std::set<std::int32_t>& history, const UniformDraw& draw) {
  if (list.count <= list.commandEntries) return -1;
  if (AllFilesIn(list, history)) history.clear();
  std::vector<int> candidates;
  candidates.reserve(static_cast<std::size_t>(list.count - list.commandEntries));
  for (int i = list.commandEntries; i < list.count; ++i)
    if (!history.count(list.idAt(i))) candidates.push_back(i);
  if (candidates.empty()) return -1;
  int chosen = candidates[draw(static_cast<std::uint32_t>(candidates.size())) % candidates.size()];
  std::int32_t id = list.idAt(chosen);
  history.insert(id);
  // Ids of entries that left the playlist may linger in the history; only the playlist's own files count.
  if (AllFilesIn(list, history)) history = {id};
  return chosen;
}

PlayChoice ChooseAfterEnd(const PlaylistIds& list, int place, int playMode, std::set<std::int32_t>& history,
                          const UniformDraw& draw) {
  if (place < 0 || place >= list.count) return Stop();
  return ByMode(list, place, playMode, history, draw);
}

PlayChoice ChooseNext(const PlaylistIds& list, int place, int playMode, std::set<std::int32_t>& history,
                      const UniformDraw& draw) {
  if (place < 0 || place >= list.count) return {};
  return ByMode(list, place, playMode, history, draw);
}

PlayChoice ChoosePrevious(const PlaylistIds& list, int nowPlaying, int playlistCurrent, int currentSeconds,
                          int playMode, std::set<std::int32_t>& history, const UniformDraw& draw) {
  const PlayChoice restart{PlayChoice::kRestartNowPlaying, -1};
  if (currentSeconds >= 1) return restart;
  if (nowPlaying < 0 || nowPlaying >= list.count) {
    if (playlistCurrent >= 0 && playlistCurrent < list.count) return Play(playlistCurrent);
    return restart;
  }
  const int first = list.commandEntries, last = list.count - 1;
  switch (playMode) {
    case kNoRepeat:
      return Play(nowPlaying <= first ? nowPlaying : nowPlaying - 1);
    case kRepeatAll:
      return Play(nowPlaying <= first ? last : nowPlaying - 1);
    case kRandom: {
      int i = DrawUnplayed(list, history, draw);
      return i < 0 ? restart : Play(i);
    }
    case kRepeatOne:
      return restart;
    default:
      return Play(nowPlaying);
  }
}

int NextPlayMode(int playMode) {
  int next = playMode + 1;
  return (next > 3 || next < 0) ? 0 : next;
}
