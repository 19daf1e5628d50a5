#pragma once
// Sections built point by point for the analysis tests.
#include <vector>

#include "model/section_record.h"

namespace tarnix::test {

// A point at depth with a waveform (or none) and the given derived values;
// the section's arrays follow the points.
inline void AddPoint(SectionRecord& s, float depth, bool waveform, float time, float velocity = 0,
                     float amp = 0, float freq = 0, float span = 0.5f) {
  CSamNode p;
  if (waveform) p.samples = p.rawSamples = std::vector<uint16_t>(4, 2048);
  p.sourL = depth;
  p.span = span;
  s.points.push_back(p);
  s.arrivalTime.push_back(time);
  s.velocity.push_back(velocity);
  s.ampDb.push_back(amp);
  s.mainFreq.push_back(freq);
  s.firstIndex = 0;
  s.lastIndex = s.PointCount() - 1;
  s.valid = true;
}

}  // namespace tarnix::test
