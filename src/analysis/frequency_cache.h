#pragma once
// The frequency powers of a section's points, kept between repaints of the
// frequency view.
#include <array>
#include <cstdint>
#include <vector>

#include "analysis/main_frequency.h"
#include "model/section_record.h"

namespace tarnix {

// An entry is reused only while its point's samples and the section's sampling
// interval are exactly those it was computed from: the powers depend on
// nothing else, so a new filter, a pasted or shifted waveform, another section
// or another file can never show stale ones. The refinement only spreads the
// bins when drawing and leaves the powers as they are.
class FrequencyCache {
 public:
  // The kFrequencyBins powers of point `index` scaled to a peak of 466, as
  // CalcMainFrequency gives them, and the peak bin. Valid until the next call.
  const float* Get(const SectionRecord& section, int index, int& peak);

 private:
  struct Entry {
    bool filled = false;
    std::vector<uint16_t> samples;
    float dT = 0.0f;
    int peak = 0;
    std::array<float, kFrequencyBins> powers{};
  };
  std::vector<Entry> entries_;
};

}  // namespace tarnix
