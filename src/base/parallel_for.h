#pragma once
// Independent pieces of work spread over the machine's cores.
#include <functional>

namespace tarnix {

// Fewest waveforms worth a thread of their own: filtering or transforming one
// takes a few µs, starting a thread some tens.
inline constexpr int kWaveformsPerThread = 64;

// Calls work(begin, end) on consecutive slices that together cover [0, count),
// one slice per core and at least minPerSlice items each, so small work stays on
// the calling thread. Each item must touch only its own data; the result is then
// the same as one call over everything. Returns when every slice is done and
// rethrows the exception of a failed one.
void ParallelFor(int count, int minPerSlice, const std::function<void(int begin, int end)>& work);

// While one lives, ParallelFor on this thread works alone: a caller that
// already keeps every core busy (a batch of files) gains nothing from more.
class SerialScope {
 public:
  SerialScope();
  ~SerialScope();
  SerialScope(const SerialScope&) = delete;
  SerialScope& operator=(const SerialScope&) = delete;
};

}  // namespace tarnix
