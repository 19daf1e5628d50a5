#include "base/parallel_for.h"

#include <algorithm>
#include <future>
#include <system_error>
#include <thread>
#include <vector>

namespace tarnix {
namespace {

thread_local int serialScopes = 0;

}  // namespace

SerialScope::SerialScope() { ++serialScopes; }

SerialScope::~SerialScope() { --serialScopes; }

void ParallelFor(int count, int minPerSlice, const std::function<void(int begin, int end)>& work) {
  if (count <= 0) return;
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const int slices = serialScopes > 0 ? 1 : std::clamp(count / std::max(minPerSlice, 1), 1, cores);
  if (slices == 1) {
    work(0, count);
    return;
  }
  const auto bound = [&](int slice) { return static_cast<int>(static_cast<long long>(count) * slice / slices); };
  // The futures of std::async wait in their destructors, so a throw below still
  // joins every started slice before the caller's data goes away.
  std::vector<std::future<void>> others;
  others.reserve(slices - 1);
  for (int slice = 1; slice < slices; ++slice) {
    try {
      others.push_back(std::async(std::launch::async, work, bound(slice), bound(slice + 1)));
    } catch (const std::system_error&) {
      work(bound(slice), bound(slice + 1));  // no thread to be had: this one does it
    }
  }
  work(0, bound(1));
  for (std::future<void>& f : others) f.get();
}

}  // namespace tarnix
