#include "analysis/frequency_cache.h"

namespace tarnix {

const float* FrequencyCache::Get(const SectionRecord& section, int index, int& peak) {
  if (entries_.size() < section.points.size()) entries_.resize(section.points.size());
  Entry& e = entries_[index];
  const CSamNode& p = section.points[index];
  if (!e.filled || e.dT != section.dT || e.samples != p.samples) {
    e.powers.fill(0.0f);
    e.peak = 0;
    CalcMainFrequency(p.samples.data(), static_cast<int>(p.samples.size()), section.dT, e.powers.data(), e.peak,
                      -1);
    e.samples = p.samples;
    e.dT = section.dT;
    e.filled = true;
  }
  peak = e.peak;
  return e.powers.data();
}

}  // namespace tarnix
