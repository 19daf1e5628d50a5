// Work spread over the cores: every item once, small work on the caller, failures passed on.
#include "base/parallel_for.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

namespace tarnix {
namespace {

TEST(ParallelFor, SlicesCoverEveryItemOnce) {
  for (int count : {1, 7, 64, 1000, 4097}) {
    std::vector<std::atomic<int>> seen(count);
    std::mutex m;
    std::vector<std::pair<int, int>> slices;
    ParallelFor(count, 8, [&](int begin, int end) {
      for (int i = begin; i < end; ++i) ++seen[i];
      std::lock_guard lock(m);
      slices.emplace_back(begin, end);
    });
    for (int i = 0; i < count; ++i) EXPECT_EQ(seen[i], 1) << "count " << count << " item " << i;
    for (const auto& [begin, end] : slices) EXPECT_GE(end - begin, std::min(count, 8)) << "count " << count;
  }
}

TEST(ParallelFor, SmallWorkStaysOnTheCallingThreadAndFailuresReachTheCaller) {
  const std::thread::id caller = std::this_thread::get_id();
  int calls = 0;
  ParallelFor(100, 64, [&](int begin, int end) {
    ++calls;
    EXPECT_EQ(std::this_thread::get_id(), caller);
    EXPECT_EQ(begin, 0);
    EXPECT_EQ(end, 100);
  });
  EXPECT_EQ(calls, 1);

  EXPECT_THROW(ParallelFor(1000, 1, [](int begin, int end) {
                 if (end == 1000) throw std::runtime_error("last slice");
               }),
               std::runtime_error);
}

}  // namespace
}  // namespace tarnix
