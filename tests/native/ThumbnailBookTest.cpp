#include "browser/ThumbnailBook.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Book = ThumbnailBook<int, std::shared_ptr<int>>;

std::string Path(int i) { return "C:\\写真\\表" + std::to_string(i) + ".jpg"; }

// Asks as a row does while it paints: 44 × 36 for row `row`.
const std::shared_ptr<int>* Ask(Book& b, const std::string& path, int row = 0) { return b.Ask(row, path, 44, 36); }

// Takes the newest request and stores a thumbnail for it whose value is its place in the making order.
std::string MakeNext(Book& b, int value = 0) {
  auto r = b.TakeNewest();
  if (!r) return {};
  b.Store(r->path, std::make_shared<int>(value));
  return r->path;
}

std::vector<std::string> MakeAll(Book& b) {
  std::vector<std::string> made;
  while (b.PendingCount() > 0) made.push_back(MakeNext(b));
  return made;
}

}  // namespace

TEST(ThumbnailBook, AskingTwiceMakesOneAndMovesThePathToTheHead) {
  Book b;
  EXPECT_EQ(Ask(b, Path(1), 7), nullptr);
  Ask(b, Path(2));
  EXPECT_EQ(Ask(b, Path(1), 9), nullptr);
  EXPECT_EQ(b.PendingCount(), 2u);
  auto first = b.TakeNewest();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->path, Path(1));
  EXPECT_EQ(first->requester, 7) << "the waiting request keeps its first requester";
  EXPECT_EQ(first->width, 44);
  EXPECT_EQ(first->height, 36);

  // While it is being made, asking again records nothing; once stored it is answered.
  EXPECT_EQ(Ask(b, Path(1)), nullptr);
  EXPECT_EQ(b.PendingCount(), 1u);
  b.Store(first->path, std::make_shared<int>(5));
  ASSERT_NE(Ask(b, Path(1)), nullptr);
  EXPECT_EQ(**Ask(b, Path(1)), 5);
  EXPECT_EQ(MakeAll(b), std::vector<std::string>{Path(2)});
  EXPECT_EQ(b.TakeFinished(), (std::vector<std::string>{Path(1), Path(2)}));
  EXPECT_TRUE(b.TakeFinished().empty());
}

TEST(ThumbnailBook, OnlyTheNewest32WaitAndDroppedRequestsLeaveNoRecord) {
  Book b;
  for (int i = 1; i <= 33; ++i) Ask(b, Path(i));
  EXPECT_EQ(b.PendingCount(), 32u);
  std::vector<std::string> made = MakeAll(b);
  ASSERT_EQ(made.size(), 32u);
  EXPECT_EQ(made.front(), Path(33)) << "newest first";
  EXPECT_EQ(made.back(), Path(2)) << "the first one asked for was dropped";
  EXPECT_EQ(Ask(b, Path(1)), nullptr);
  EXPECT_EQ(MakeNext(b), Path(1)) << "asking again later still works";

  // Scrolling through thousands of pictures keeps the records bounded.
  for (int i = 100; i < 10100; ++i) Ask(b, Path(i));
  EXPECT_EQ(b.PendingCount(), 32u);
  EXPECT_EQ(MakeNext(b), Path(10099));
}

TEST(ThumbnailBook, The257thMadeDropsTheFirstMadeHoweverOftenItIsAsked) {
  Book b;
  std::weak_ptr<int> firstThumb;
  for (int i = 0; i < 257; ++i) {
    Ask(b, Path(i));
    MakeNext(b, i);
    if (i == 0) firstThumb = *Ask(b, Path(0));
    if (i < 256) {
      ASSERT_NE(Ask(b, Path(0)), nullptr) << "asked for after every one made: " << i;
    }
  }
  EXPECT_EQ(b.DoneCount(), 256u);
  EXPECT_TRUE(firstThumb.expired()) << "the dropped thumbnail is freed";
  EXPECT_NE(Ask(b, Path(1)), nullptr);
  EXPECT_EQ(Ask(b, Path(0)), nullptr);
  EXPECT_EQ(MakeNext(b, 1000), Path(0)) << "asked for again, it is made anew";
  EXPECT_EQ(**Ask(b, Path(0)), 1000);
  EXPECT_EQ(Ask(b, Path(1)), nullptr) << "and pushes out the oldest remaining one";

  // Not taken, the notices stay bounded too and end with the newest.
  std::vector<std::string> finished = b.TakeFinished();
  EXPECT_EQ(finished.size(), 256u);
  EXPECT_EQ(finished.back(), Path(0));
}

TEST(ThumbnailBook, AThumbnailHeldOutsideOutlivesItsEviction) {
  Book b;
  Ask(b, Path(0));
  MakeNext(b, 42);
  std::shared_ptr<int> held = *Ask(b, Path(0));
  for (int i = 1; i <= 256; ++i) {
    Ask(b, Path(i));
    MakeNext(b, i);
  }
  EXPECT_EQ(Ask(b, Path(0)), nullptr);
  EXPECT_EQ(*held, 42);
  EXPECT_EQ(held.use_count(), 1);
  b.Clear();
  EXPECT_EQ(b.DoneCount() + b.PendingCount(), 0u);
  EXPECT_TRUE(b.TakeFinished().empty());
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
  EXPECT_EQ(b.PendingCount(), 1u);

  // A path whose bitmap could not be made may be asked for again.
  ASSERT_TRUE(b.TakeNewest());
  EXPECT_FALSE(b.TakeNewest());
  b.Abandon();
  Ask(b, Path(1));
  EXPECT_EQ(b.PendingCount(), 1u);
}
