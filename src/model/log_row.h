#pragma once
// One depth of the per-depth log that other tools load (LAS, CSV).
#include <vector>

namespace tarnix {

struct LogRow {
  float depth = 0.0f;  // m
  bool measured = false;  // both receivers have a waveform here
  float t1 = 0.0f, t2 = 0.0f, dt = 0.0f;  // µs
  float vp = 0.0f;                        // km/s
  float amp1 = 0.0f, amp2 = 0.0f;         // dB
  float freq = 0.0f;                      // kHz, receiver 1
};

// The log of a receiver pair, shallowest first, with what describes it.
struct PairLog {
  std::vector<LogRow> rows;
  float span1 = 0.0f, span2 = 0.0f;  // m
  float step = 0.0f;                 // m, 0 when the spacing is irregular
};

}  // namespace tarnix
