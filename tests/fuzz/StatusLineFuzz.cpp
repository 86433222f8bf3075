// The status line on what a media file can make of it (any position and duration, any scan state) and
// on playlists of any length: every text is made of the digit strip's glyphs, the clock is 20 of them.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "controls/StatusLine.h"
#include "FuzzSupport.h"

namespace {

bool AllGlyphs(const std::string& text) {
  for (char c : text)
    if (GlyphFrame(c) < 0) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  StatusInputs s;
  s.loaded = in.ConsumeBool();
  s.paused = in.ConsumeBool();
  s.blink = in.ConsumeBool();
  s.scanSpeed = in.ConsumeIntegral<int>();
  s.kind = in.ConsumeIntegral<EntryKind>();
  s.currentSeconds = in.ConsumeIntegral<long long>();
  s.totalSeconds = in.ConsumeIntegral<long long>();
  // The playlist's numbers come from the list in memory: a length, the command entries that the sort
  // keeps before the files, and a picture's index among the files, or -1.
  s.playlistCount = in.ConsumeIntegralInRange<int>(0, 100000);
  s.commandEntries = in.ConsumeIntegralInRange<int>(0, std::min(2, s.playlistCount));
  s.playlistIndex = s.playlistCount > s.commandEntries && in.ConsumeBool()
                        ? in.ConsumeIntegralInRange<int>(s.commandEntries, s.playlistCount - 1)
                        : -1;

  const StatusLine line = ComposeStatusLine(s);
  FUZZ_CHECK(line.speed.size() == 4 && AllGlyphs(line.speed));
  FUZZ_CHECK(AllGlyphs(line.time));
  FUZZ_CHECK(line.indicator >= INDICATOR_NONE && line.indicator <= INDICATOR_SCAN_BACK);
  if (s.loaded && KindClass(s.kind) != KIND_PICTURE) FUZZ_CHECK(line.time.size() == kTimeGlyphs);
  const std::string clock = ClockText(s.currentSeconds);
  FUZZ_CHECK(clock.size() == 8 && AllGlyphs(clock));
  FUZZ_CHECK(TimeText(s.currentSeconds, s.totalSeconds).size() == kTimeGlyphs);

  const double volume = in.ConsumeFloatingPointInRange<double>(0.0, 1.0);
  const double up = VolumeStepUp(volume), down = VolumeStepDown(volume);
  FUZZ_CHECK(up >= volume && up <= 1.0 && down <= volume && down >= 0.0);
  return 0;
}
