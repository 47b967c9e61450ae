#include "views/picture_cache.h"

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <string>

namespace mervanta::test {
namespace {

// Pictures 400 × 400 read at the size asked, counted by name; names starting "bad" fail.
class PictureCacheTest : public testing::Test {
 protected:
  TPictureCache Cache(std::size_t budget) {
    return TPictureCache(budget, [this](const std::string& path, QSize drawnAtMost) {
      {
        const std::lock_guard lock(LoadsGuard);
        ++Loads[path];
      }
      if (path.starts_with("bad")) return TLoadedPicture{};
      const QSize size = drawnAtMost.isEmpty() ? QSize(400, 400) : drawnAtMost;
      QImage image(size, QImage::Format_RGB32);
      image.fill(Qt::gray);
      return TLoadedPicture{image, QSize(400, 400)};
    });
  }

  std::map<std::string, int> Loads;
  // Prefetching reads on several threads.
  std::mutex LoadsGuard;
  // A 100 × 100 picture of 32 bits a pixel.
  static constexpr std::size_t kSmall = 100 * 100 * 4;
};

TEST_F(PictureCacheTest, ReadsAPictureOnceAtTheSizeItIsDrawn) {
  TPictureCache cache = Cache(TPictureCache::kDefaultBudget);
  EXPECT_EQ(cache.Get("a.jpg", {100, 100}).Image.size(), QSize(100, 100));
  EXPECT_EQ(cache.Get("a.jpg", {100, 100}).FullSize, QSize(400, 400));
  EXPECT_EQ(cache.Get("a.jpg", {50, 50}).Image.size(), QSize(100, 100));
  EXPECT_EQ(Loads["a.jpg"], 1);
  // Drawn larger, it is read again at the new size.
  EXPECT_EQ(cache.Get("a.jpg", {200, 200}).Image.size(), QSize(200, 200));
  EXPECT_EQ(Loads["a.jpg"], 2);
  EXPECT_EQ(cache.BytesHeld(), std::size_t{200 * 200 * 4});
}

TEST_F(PictureCacheTest, APageOfPicturesIsReadSideBySideOnceEach) {
  TPictureCache cache = Cache(TPictureCache::kDefaultBudget);
  cache.Get("held.jpg", {100, 100});
  const std::vector<TPictureCache::TRequest> page{{"a.jpg", {100, 100}},   {"b.jpg", {100, 100}},
                                                  {"a.jpg", {100, 100}},   {"held.jpg", {100, 100}},
                                                  {"bad.jpg", {100, 100}}, {"+", {100, 100}}};
  cache.Prefetch(page);
  for (const auto& request : page) {
    EXPECT_TRUE(cache.IsReady(request.Name, request.DrawnAtMost)) << request.Name;
    cache.Get(request.Name, request.DrawnAtMost);
  }
  EXPECT_EQ(Loads, (std::map<std::string, int>{
                       {"a.jpg", 1}, {"b.jpg", 1}, {"bad.jpg", 1}, {"held.jpg", 1}}));
  EXPECT_EQ(cache.Get("a.jpg", {100, 100}).Image.size(), QSize(100, 100));
  EXPECT_EQ(cache.BytesHeld(), 3 * kSmall);
}

TEST_F(PictureCacheTest, TheLeastRecentlyUsedGoBeyondTheBudget) {
  TPictureCache cache = Cache(3 * kSmall);
  for (const char* name : {"1", "2", "3"}) cache.Get(name, {100, 100});
  cache.Get("1", {100, 100});  // now the most recent
  cache.Get("4", {100, 100});  // "2" goes
  EXPECT_EQ(cache.BytesHeld(), 3 * kSmall);
  cache.Get("1", {100, 100});
  cache.Get("3", {100, 100});
  EXPECT_EQ(Loads["1"], 1);
  EXPECT_EQ(Loads["3"], 1);
  cache.Get("2", {100, 100});
  EXPECT_EQ(Loads["2"], 2);
  // A picture larger than the whole budget is still shown.
  EXPECT_EQ(cache.Get("big", {}).Image.size(), QSize(400, 400));
  EXPECT_EQ(cache.BytesHeld(), std::size_t{400 * 400 * 4});
}

TEST_F(PictureCacheTest, IconsNeedNoFileAndFailedNamesShowThePlaceholderUntilCleared) {
  TPictureCache cache = Cache(kSmall);
  EXPECT_TRUE(cache.Get("+", {}).IsIcon);
  EXPECT_TRUE(cache.Get("-", {}).IsIcon);
  EXPECT_NE(cache.Get("+", {}).Image, cache.Get("-", {}).Image);
  EXPECT_TRUE(Loads.empty());

  const TPictureCache::TPicture& failed = cache.Get("bad.jpg", {100, 100});
  EXPECT_FALSE(failed.Image.isNull());
  EXPECT_FALSE(failed.IsIcon);
  for (const char* name : {"1", "2", "3"}) cache.Get(name, {100, 100});
  EXPECT_EQ(cache.Get("bad.jpg", {100, 100}).Image, failed.Image);
  EXPECT_EQ(Loads["bad.jpg"], 1);
  cache.Clear();
  EXPECT_EQ(cache.BytesHeld(), 0u);
  cache.Get("bad.jpg", {100, 100});
  EXPECT_EQ(Loads["bad.jpg"], 2);
}

}  // namespace
}  // namespace mervanta::test
