#include "document/section_completion.h"

#include "analysis/main_frequency.h"

namespace tarnix {

void UpdateMeanGain(SectionRecord& section) {
  double sum = 0;
  int count = 0;
  for (const CSamNode& p : section.points) {
    if (p.HasWaveform() && p.gain != 0.0f) {
      sum += p.gain;
      ++count;
    }
  }
  if (count > 0) section.meanGain = static_cast<float>(sum / count);
}

void RebuildDerivedArrays(SectionRecord& s) {
  s.RebuildAmpDb();
  s.RebuildArrivalTime();
  RebuildMainFreq(s);
  s.RebuildVelocity();
  s.RebuildDepths();
  s.RebuildPsd();
}

void CompleteSection(SectionRecord& s, const TestHeader& h, const ChannelFilter& filter) {
  s.CollapseDuplicatesAndSort();
  s.pipeCorrection = ((h.pipeW - h.pipeD) / h.pipeV + (h.pipeD - h.sensorD) / h.waterV) * 1000.0f;
  s.PadToLength(h.pileLen, h.move);
  s.TrimBelow(h.pileLen);

  RebuildDerivedArrays(s);

  for (CSamNode& p : s.points) {
    if (p.gain == 0.0f) p.gain = s.gain > 0.0f ? s.gain : 1.0f;
  }
  FilterSectionSamples(s, filter);
  UpdateMeanGain(s);
}

}  // namespace tarnix
