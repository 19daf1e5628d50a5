#pragma once
// One measurement point of one section.
#include <cstdint>
#include <vector>

namespace tarnix {

// How far an automatic first-arrival pick can be trusted; manual picks are
// good. Kept in memory only: no file carries it.
enum class PickQuality : uint8_t { Good, Doubtful, Poor };

struct CSamNode {
  // Working waveform (shown, filtered, picked) and the waveform as read, both in
  // 12-bit offset binary. Empty vectors mean "no waveform" (a filler point).
  std::vector<uint16_t> samples;
  std::vector<uint16_t> rawSamples;
  float sourL = 0.0f;
  float destL = 0.0f;
  float gain = 0.0f;
  int32_t arrivalIndex = 0;
  int32_t ampIndex = 0;
  int32_t freqIndex = -1;
  int32_t autoArrivalIndex = 0;
  int32_t autoAmpIndex = 0;
  float span = 0.0f;
  float ampDbRead = 0.0f;
  PickQuality pickQuality = PickQuality::Good;

  bool HasWaveform() const { return !samples.empty(); }
};

}  // namespace tarnix
