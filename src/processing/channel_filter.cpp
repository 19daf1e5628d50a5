#include "processing/channel_filter.h"

#include "base/parallel_for.h"
#include "processing/digital_filter.h"

namespace tarnix {

void FilterPointSamples(CSamNode& point, const ChannelFilter& filter, float dtUs) {
  // With both filters off the result is an exact copy: nothing to do.
  if (!point.HasWaveform() || (!filter.highPassOn && !filter.lowPassOn)) return;
  FilterWords(static_cast<int>(point.samples.size()), point.samples.data(), point.samples.data(), dtUs,
              filter.highPassOn, filter.highPassKHz * 1000.0f, filter.lowPassOn,
              filter.lowPassKHz * 1000.0f);
}

void FilterSectionSamples(SectionRecord& section, const ChannelFilter& filter) {
  if (!filter.highPassOn && !filter.lowPassOn) return;
  ParallelFor(section.PointCount(), kWaveformsPerThread, [&](int begin, int end) {
    for (int i = begin; i < end; ++i) FilterPointSamples(section.points[i], filter, section.dT);
  });
}

void RefilterSection(SectionRecord& section, const ChannelFilter& filter) {
  for (CSamNode& p : section.points) {
    p.samples = p.rawSamples;
    if (p.HasWaveform()) p.freqIndex = -1;
  }
  FilterSectionSamples(section, filter);
}

}  // namespace tarnix
