#include "playback/PlayOrder.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// A playlist with two command entries (ids 1 and 2) and files with ids 100, 101, ...
struct TestList {
  std::vector<std::int32_t> ids;
  explicit TestList(int files) : ids{1, 2} {
    for (int i = 0; i < files; ++i) ids.push_back(100 + i);
  }
  PlaylistIds View() const {
    return {static_cast<int>(ids.size()), 2, [this](int i) { return ids[static_cast<std::size_t>(i)]; }};
  }
};

UniformDraw Seeded(unsigned seed) {
  auto engine = std::make_shared<std::mt19937>(seed);
  return [engine](std::uint32_t n) { return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(*engine); };
}

PlayChoice Play(int i) { return {PlayChoice::kPlayIndex, i}; }
const PlayChoice kStop{PlayChoice::kStop, -1};
const PlayChoice kRestart{PlayChoice::kRestartNowPlaying, -1};

}  // namespace

TEST(PlayOrder, SequentialModesSkipTheCommandEntries) {
  TestList list(3);  // files at 2, 3, 4
  std::set<std::int32_t> h;
  auto draw = Seeded(1);
  struct Case {
    int place, mode;
    PlayChoice expected;
  } const cases[] = {
      {2, kNoRepeat, Play(3)},  {4, kNoRepeat, kStop},     {4, kRepeatAll, Play(2)}, {3, kRepeatAll, Play(4)},
      {3, kRepeatOne, Play(3)}, {3, 7, Play(3)},           {3, -1, Play(3)},         {-1, kRepeatAll, kStop},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseAfterEnd(list.View(), c.place, c.mode, h, draw), c.expected) << c.place << " mode " << c.mode;
  // Next is the same rule, but without a place nothing happens.
  EXPECT_EQ(ChooseNext(list.View(), -1, kRepeatAll, h, draw), PlayChoice{});
  EXPECT_EQ(ChooseNext(list.View(), 4, kRepeatAll, h, draw), Play(2));
}

TEST(PlayOrder, RandomPlaysEveryFileOnceBeforeAnyRepeats) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    TestList list(3);
    std::set<std::int32_t> h;
    auto draw = Seeded(seed);
    std::vector<int> played;
    for (int k = 0; k < 3; ++k) {
      PlayChoice c = ChooseAfterEnd(list.View(), 2, kRandom, h, draw);
      ASSERT_EQ(c.action, PlayChoice::kPlayIndex);
      played.push_back(c.index);
    }
    EXPECT_EQ(std::set<int>(played.begin(), played.end()), (std::set<int>{2, 3, 4})) << "seed " << seed;
    // After the third, the history starts again with that third file, so the next two are the others.
    EXPECT_EQ(h, std::set<std::int32_t>{list.ids[static_cast<std::size_t>(played.back())]});
    std::set<int> next;
    for (int k = 0; k < 2; ++k) next.insert(ChooseAfterEnd(list.View(), 2, kRandom, h, draw).index);
    EXPECT_EQ(next.size(), 2u);
    EXPECT_EQ(next.count(played.back()), 0u);
  }
}

TEST(PlayOrder, RandomWithASingleFileReplaysIt) {
  TestList list(1);
  std::set<std::int32_t> h{100};
  auto draw = Seeded(3);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(ChooseAfterEnd(list.View(), 2, kRandom, h, draw), Play(2));
}

TEST(PlayOrder, RandomIgnoresIdsThatLeftThePlaylist) {
  TestList list(3);
  std::set<std::int32_t> h{5000, 5001, 5002};  // removed entries and folder-list files
  auto draw = Seeded(11);
  std::set<int> seen;
  for (int k = 0; k < 3; ++k) seen.insert(ChooseAfterEnd(list.View(), 2, kRandom, h, draw).index);
  EXPECT_EQ(seen, (std::set<int>{2, 3, 4}));
}

TEST(PlayOrder, RandomOnAHundredThousandEntriesReachesEveryIndexAndNeverSpins) {
  TestList list(100000);
  std::set<std::int32_t> h;
  // The highest index is reachable: a draw of the last candidate gives the last file.
  UniformDraw top = [](std::uint32_t n) { return n - 1; };
  EXPECT_EQ(ChooseAfterEnd(list.View(), 2, kRandom, h, top), Play(100001));
  // With all but one file played, the one left is found at once.
  h.clear();
  for (int i = 0; i < 100000; ++i)
    if (i != 77777) h.insert(100 + i);
  EXPECT_EQ(ChooseAfterEnd(list.View(), 2, kRandom, h, Seeded(5)), Play(77779));
  EXPECT_EQ(h, std::set<std::int32_t>{100 + 77777});
}

TEST(PlayOrder, RandomCyclesThroughALargerListWithoutRepeats) {
  TestList list(500);
  std::set<std::int32_t> h;
  auto draw = Seeded(42);
  std::set<int> seen;
  for (int k = 0; k < 500; ++k) seen.insert(ChooseAfterEnd(list.View(), 2, kRandom, h, draw).index);
  EXPECT_EQ(seen.size(), 500u);
}

TEST(PlayOrder, PreviousGoesBackOnlyInTheFirstSecond) {
  TestList list(3);
  std::set<std::int32_t> h;
  auto draw = Seeded(9);
  struct Case {
    int nowPlaying, playlistCurrent, seconds, mode;
    PlayChoice expected;
  } const cases[] = {
      {3, 3, 0, kNoRepeat, Play(2)},  // 0.5 s in: the previous entry
      {3, 3, 3, kNoRepeat, kRestart}, // 3 s in: the same entry from its start
      {2, 2, 0, kNoRepeat, Play(2)},  // the first file stays
      {2, 2, 0, kRepeatAll, Play(4)}, // wraps to the last
      {4, 4, 0, kRepeatAll, Play(3)},
      {3, 3, 0, kRepeatOne, kRestart},
      {3, 3, 0, 9, Play(3)},
      {-1, 4, 0, kNoRepeat, Play(4)}, // a folder-list file: the playlist current entry
      {-1, -1, 0, kNoRepeat, kRestart},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChoosePrevious(list.View(), c.nowPlaying, c.playlistCurrent, c.seconds, c.mode, h, draw), c.expected)
        << c.nowPlaying << " " << c.seconds << "s mode " << c.mode;
}

TEST(PlayOrder, TheModeCycleWraps) {
  EXPECT_EQ(NextPlayMode(0), 1);
  EXPECT_EQ(NextPlayMode(1), 2);
  EXPECT_EQ(NextPlayMode(2), 3);
  EXPECT_EQ(NextPlayMode(3), 0);
  EXPECT_EQ(NextPlayMode(9), 0);
  EXPECT_EQ(NextPlayMode(-5), 0);
}
