// Work spread over the cores: every item once, small work on the caller, failures passed on.
#include "base/parallel_for.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace tarnix {
namespace {

TEST(ParallelFor, EveryItemOnceSmallWorkOnTheCallerFailuresPassedOn) {
  for (int count : {1, 7, 1000, 4097}) {
    std::vector<std::atomic<int>> seen(count);
    ParallelFor(count, 8, [&](int begin, int end) {
      for (int i = begin; i < end; ++i) ++seen[i];
    });
    for (int i = 0; i < count; ++i) ASSERT_EQ(seen[i], 1) << "count " << count << " item " << i;
  }

  const std::thread::id caller = std::this_thread::get_id();
  int calls = 0;
  ParallelFor(100, 64, [&](int begin, int end) {
    ++calls;
    EXPECT_EQ(std::this_thread::get_id(), caller);
    EXPECT_EQ(end - begin, 100);
  });
  EXPECT_EQ(calls, 1);

  EXPECT_THROW(ParallelFor(1000, 1, [](int, int end) {
                 if (end == 1000) throw std::runtime_error("last slice");
               }),
               std::runtime_error);
}

}  // namespace
}  // namespace tarnix
