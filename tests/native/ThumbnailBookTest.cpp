#include "browser/ThumbnailBook.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Book = ThumbnailBook<int, std::shared_ptr<int>>;

std::string Path(int i) { return "C:\\写真\\表" + std::to_string(i) + ".jpg"; }

const std::shared_ptr<int>* Ask(Book& b, int i, int row = 0) { return b.Ask(row, Path(i), 44, 36); }

// Takes the newest request and files a thumbnail holding `value` for it; its path, or "" when none waits.
std::string MakeNext(Book& b, int value = 0) {
  auto r = b.TakeNewest();
  if (!r) return {};
  b.Store(r->path, std::make_shared<int>(value));
  return r->path;
}

}  // namespace

TEST(ThumbnailBook, AskingTwiceMakesOneAndMovesThePathToTheHead) {
  Book b;
  Ask(b, 1, 7);
  Ask(b, 2);
  EXPECT_EQ(Ask(b, 1, 9), nullptr);
  EXPECT_EQ(b.PendingCount(), 2u);
  auto first = b.TakeNewest();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->path, Path(1));
  EXPECT_EQ(first->requester, 7) << "the waiting request keeps its first requester";

  // While it is being made, asking again records nothing; once filed it is the answer.
  EXPECT_EQ(Ask(b, 1), nullptr);
  EXPECT_EQ(b.PendingCount(), 1u);
  b.Store(first->path, std::make_shared<int>(5));
  EXPECT_EQ(**Ask(b, 1), 5);
  EXPECT_EQ(MakeNext(b), Path(2));
  EXPECT_EQ(b.TakeFinished(), (std::vector<std::string>{Path(1), Path(2)}));
  EXPECT_TRUE(b.TakeFinished().empty());
}

TEST(ThumbnailBook, OnlyTheNewest32WaitAndDroppedRequestsLeaveNoRecord) {
  Book b;
  for (int i = 1; i <= 33; ++i) Ask(b, i);
  EXPECT_EQ(b.PendingCount(), 32u);
  for (int i = 33; i >= 2; --i) EXPECT_EQ(MakeNext(b), Path(i)) << "newest first";
  EXPECT_EQ(MakeNext(b), "") << "the first one asked for was dropped";
  Ask(b, 1);
  EXPECT_EQ(MakeNext(b), Path(1)) << "asking again later still works";

  // Scrolling through thousands of pictures keeps the records bounded.
  for (int i = 100; i < 10100; ++i) Ask(b, i);
  EXPECT_EQ(b.PendingCount(), 32u);
  EXPECT_EQ(MakeNext(b), Path(10099));
}

TEST(ThumbnailBook, The257thMadeDropsTheFirstMadeHoweverOftenItIsAsked) {
  Book b;
  std::weak_ptr<int> firstThumb;
  for (int i = 0; i < 257; ++i) {
    Ask(b, i);
    MakeNext(b, i);
    if (i == 0) firstThumb = *Ask(b, 0);
    if (i < 256) EXPECT_TRUE(Ask(b, 0)) << "asked for after every one made: " << i;
  }
  EXPECT_EQ(b.DoneCount(), 256u);
  EXPECT_TRUE(firstThumb.expired()) << "the dropped thumbnail is freed";
  EXPECT_NE(Ask(b, 1), nullptr);
  EXPECT_EQ(Ask(b, 0), nullptr);
  EXPECT_EQ(MakeNext(b, 1000), Path(0)) << "asked for again, it is made anew";
  EXPECT_EQ(**Ask(b, 0), 1000);
  EXPECT_EQ(Ask(b, 1), nullptr) << "and pushes out the oldest remaining one";

  // Not taken, the notices stay bounded too and end with the newest.
  std::vector<std::string> finished = b.TakeFinished();
  EXPECT_EQ(finished.size(), 256u);
  EXPECT_EQ(finished.back(), Path(0));
}

TEST(ThumbnailBook, RequestsThatCannotBeMadeAreNotRecorded) {
  struct Case {
    std::string path;
    int width, height;
  } const cases[] = {{"", 44, 36}, {Path(1), 0, 36}, {Path(1), 44, -1}, {Path(1), 1025, 36}, {Path(1), 44, 1 << 30}};
  Book b;
  for (const Case& c : cases) {
    EXPECT_EQ(b.Ask(0, c.path, c.width, c.height), nullptr);
    EXPECT_EQ(b.PendingCount(), 0u) << c.path << " " << c.width << "x" << c.height;
  }
  b.Ask(0, Path(1), 1, 1024);
  ASSERT_TRUE(b.TakeNewest());
  b.Abandon();  // no bitmap could be made: it may be asked for again
  Ask(b, 1);
  EXPECT_EQ(b.PendingCount(), 1u);
}
