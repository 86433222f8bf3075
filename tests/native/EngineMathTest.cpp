// The arithmetic of the QuickTime and RealPlayer engines and of their stand-ins: where the library is
// looked for in a registry folder, the control's volume from the wave volume, movie times and volumes on
// DirectShow's scales, and the movie header of QuickTime and MPEG-4 files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "playback/LibraryPath.h"
#include "playback/PlaybackMath.h"
#include "playback/QuickTimeName.h"
#include "standins/common/MovieHeader.h"
#include "standins/common/StandInMath.h"

TEST(LibraryPath, ASeparatorIsAddedOnlyWhenTheFolderHasNone) {
  struct Case {
    const char* folder;
    const char* expected;
  } const cases[] = {
      {"C:\\QT", "C:\\QT\\QuickTime.qts"},
      {"C:\\QT\\", "C:\\QT\\QuickTime.qts"},
      {"C:/QT/", "C:/QT/QuickTime.qts"},
      {"C:\\", "C:\\QuickTime.qts"},
      // The trail byte 0x5C of 表 is no separator.
      {"C:\\\x95\x5C", "C:\\\x95\x5C\\QuickTime.qts"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(JoinLibraryPath(c.folder, "QuickTime.qts"), c.expected) << c.folder;
}

TEST(QuickTimeName, TheExactLongPathWhenItFitsElseTheShortOneElseDirectShowOrNothing) {
  using Via = QuickTimeName::Via;
  const std::string fits(255, 'a'), over(256, 'a'), shortName = "C:\\DEEPFO~1\\CLIP~1.MP4";
  struct Case {
    CodePageName longPath, shortPath;
    Via via;
    std::string name;
  } const cases[] = {
      {{fits}, {shortName}, Via::kQuickTime, fits},
      {{over}, {shortName}, Via::kQuickTime, shortName},
      {{over}, {""}, Via::kDirectShow, ""},                      // the volume keeps no short names
      {{over}, {std::string(256, 'b')}, Via::kDirectShow, ""},  // nor one that fits
      // A name outside the code page (its form has substitutes): only the short name names the file.
      {{"C:\\Caf?.mp4", false}, {"C:\\CAF~1.MP4"}, Via::kQuickTime, "C:\\CAF~1.MP4"},
      {{"C:\\Caf?.mp4", false}, {""}, Via::kNothing, ""},
      {{"C:\\?\\Caf?.mp4", false}, {"C:\\?\\CAF~1.MP4", false}, Via::kNothing, ""},
  };
  for (const Case& c : cases) {
    const QuickTimeName name = ChooseQuickTimeName(c.longPath, c.shortPath);
    EXPECT_EQ(name.via, c.via) << c.longPath.text.size() << " " << c.shortPath.text;
    EXPECT_EQ(name.path, c.name);
  }
}

TEST(RealVolume, LevelFromTheWaveVolumeAndTheFraction) {
  struct Case {
    unsigned left, right;
    double fraction;
    bool mute;
    short volume;
  } const cases[] = {
      {65535, 65535, 1.0, false, 100},  // level 102
      {32767, 32767, 1.0, false, 48},   // level 50
      {65535, 65535, 0.0, true, 0},
      {65535, 65535, 0.0099, false, 0},  // level 1: unmuted at volume 0
      {65535, 65535, 0.005, true, 0},    // level 0
      {65535, 0, 1.0, false, 49},        // one channel: level 51
      {0, 0, 1.0, true, 0},
      {65535, 65535, 2.0, false, 100},   // fractions above 1 count as 1
      {65535, 65535, std::numeric_limits<double>::quiet_NaN(), true, 0},
  };
  for (const Case& c : cases) {
    RealControlVolume v = RealVolumeFor(c.left, c.right, c.fraction);
    EXPECT_EQ(v.mute, c.mute) << c.left << " " << c.right << " " << c.fraction;
    EXPECT_EQ(v.volume, c.volume) << c.left << " " << c.right << " " << c.fraction;
  }
}

TEST(StandInMath, MovieTimesAsMediaTimes) {
  struct Case {
    std::int64_t value;
    std::int32_t scale;
    std::int64_t media;
  } const cases[] = {
      {600, 600, 10'000'000}, {3000, 1000, 30'000'000}, {1, 3, 3'333'333}, {0, 600, 0}, {100, 0, 0}, {100, -5, 0},
      // 24 days in thousandths of a second does not overflow.
      {2'073'600'000, 1000, 20'736'000'000'000},
  };
  for (const Case& c : cases) EXPECT_EQ(MediaTimeFromMovieTime(c.value, c.scale), c.media) << c.value << "/" << c.scale;
  EXPECT_EQ(MovieTimeFromMediaTime(30'000'000, 1000), 3000);
  EXPECT_EQ(MovieTimeFromMediaTime(29'999'999, 600), 1799);
  EXPECT_EQ(MovieTimeFromMediaTime(20'736'000'000'000, 1000), 2'073'600'000);
  EXPECT_EQ(MovieTimeFromMediaTime(10'000'000, 0), 0);
}

TEST(StandInMath, VolumesOnTheDirectShowScale) {
  EXPECT_EQ(CentibelsFromMovieVolume(256), 0);
  EXPECT_EQ(CentibelsFromMovieVolume(512), 0);
  EXPECT_EQ(CentibelsFromMovieVolume(128), DirectShowVolume(0.5));
  EXPECT_EQ(CentibelsFromMovieVolume(0), -10000);
  EXPECT_EQ(CentibelsFromMovieVolume(-256), -10000);  // a negative volume is muted
  EXPECT_EQ(CentibelsFromControlVolume(100, false), 0);
  EXPECT_EQ(CentibelsFromControlVolume(100, true), -10000);
  EXPECT_EQ(CentibelsFromControlVolume(50, false), DirectShowVolume(0.5));
  EXPECT_EQ(CentibelsFromControlVolume(0, false), -10000);
  EXPECT_EQ(CentibelsFromControlVolume(300, false), 0);
  EXPECT_DOUBLE_EQ(RateFromFixed(0x10000), 1.0);
  EXPECT_DOUBLE_EQ(RateFromFixed(0x8000), 0.5);
  EXPECT_DOUBLE_EQ(RateFromFixed(0), 0.0);
}

namespace {

void Be32(std::string& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out += static_cast<char>((v >> s) & 0xFF);
}
void Be64(std::string& out, std::uint64_t v) {
  Be32(out, static_cast<std::uint32_t>(v >> 32));
  Be32(out, static_cast<std::uint32_t>(v));
}
std::string Box(const char* type, const std::string& body) {
  std::string b;
  Be32(b, static_cast<std::uint32_t>(8 + body.size()));
  b.append(type, 4);
  return b + body;
}
std::string Mvhd0(std::uint32_t scale, std::uint32_t duration) {
  std::string body(4, '\0');  // version 0, flags
  Be32(body, 1);               // creation
  Be32(body, 2);               // modification
  Be32(body, scale);
  Be32(body, duration);
  body.append(80, '\0');
  return Box("mvhd", body);
}
std::string Mvhd1(std::uint32_t scale, std::uint64_t duration) {
  std::string body("\x01\0\0\0", 4);
  Be64(body, 1);
  Be64(body, 2);
  Be32(body, scale);
  Be64(body, duration);
  body.append(80, '\0');
  return Box("mvhd", body);
}

std::optional<MovieHeader> Read(const std::string& file) {
  ByteReader read = [&file](std::uint64_t offset, void* buffer, std::size_t n) {
    if (offset > file.size() || file.size() - offset < n) return false;
    std::memcpy(buffer, file.data() + offset, n);
    return true;
  };
  return ReadMovieHeader(read, file.size());
}

}  // namespace

TEST(MovieHeader, TheHeaderWhereverTheMovieBoxStands) {
  const std::string ftyp = Box("ftyp", "isom\0\0\2\0isomiso2");
  const std::string mdat = Box("mdat", std::string(1000, 'x'));
  std::string bigMdat;  // a 64-bit box size
  Be32(bigMdat, 1);
  bigMdat += "mdat";
  Be64(bigMdat, 16 + 50);
  bigMdat.append(50, 'y');
  std::string toEnd;  // size 0: the box runs to the end of the file
  Be32(toEnd, 0);
  toEnd += "moov" + Mvhd0(90000, 270000);

  struct Case {
    const char* what;
    std::string file;
    std::int32_t scale;
    std::int64_t duration;
  } const cases[] = {
      {"moov first", ftyp + Box("moov", Mvhd0(1000, 3000)) + mdat, 1000, 3000},
      {"moov last", ftyp + mdat + Box("moov", Box("trak", "") + Mvhd0(600, 1800)), 600, 1800},
      {"version 1", ftyp + Box("moov", Mvhd1(48000, 1ull << 33)), 48000, std::int64_t{1} << 33},
      {"after a 64-bit box", ftyp + bigMdat + Box("moov", Mvhd0(25, 75)), 25, 75},
      {"moov to the end", ftyp + toEnd, 90000, 270000},
  };
  for (const Case& c : cases) {
    std::optional<MovieHeader> h = Read(c.file);
    ASSERT_TRUE(h.has_value()) << c.what;
    EXPECT_EQ(h->timeScale, c.scale) << c.what;
    EXPECT_EQ(h->duration, c.duration) << c.what;
  }
}

TEST(MovieHeader, FilesWithoutAValidHeaderGiveNothing) {
  const std::string ftyp = Box("ftyp", "qt  ");
  std::string overlong = ftyp + Box("moov", Mvhd0(1000, 3000));
  overlong[ftyp.size() + 3] = '\x7F';  // the movie box claims more than the file holds
  std::string tiny;  // a box smaller than its own header
  Be32(tiny, 4);
  tiny += "free";
  const std::string cases[] = {
      "",
      "RIFF\0\0\0\0AVI LIST",
      ftyp + Box("mdat", "abc"),
      ftyp + Box("moov", Box("trak", "")),
      ftyp + Box("moov", Mvhd0(0, 3000)),                  // time scale 0
      ftyp + Box("moov", Mvhd0(1000, 3000)).substr(0, 20),  // cut short
      overlong,
      tiny + Box("moov", Mvhd0(1000, 3000)),
  };
  for (const std::string& file : cases) EXPECT_FALSE(Read(file).has_value()) << file.size();
}
