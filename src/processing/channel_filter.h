#pragma once
// The filter settings of one section and their application to its waveforms.
#include "model/section_record.h"

namespace tarnix {

struct ChannelFilter {
  bool highPassOn = false;
  float highPassKHz = 20.0f;
  bool lowPassOn = false;
  float lowPassKHz = 50.0f;
  bool operator==(const ChannelFilter&) const = default;
};

// Replaces the point's working samples by a filtered copy of themselves.
void FilterPointSamples(CSamNode& point, const ChannelFilter& filter, float dtUs);

// FilterPointSamples on every point of the section, spread over the cores.
void FilterSectionSamples(SectionRecord& section, const ChannelFilter& filter);

// Rebuilds every working waveform of the section from the samples as read and
// filters it; the chosen spectrum bins are forgotten (freqIndex -1), since the
// spectra change. Repeated application never accumulates.
void RefilterSection(SectionRecord& section, const ChannelFilter& filter);

}  // namespace tarnix
