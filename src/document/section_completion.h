#pragma once
// Completing the sections of a freshly read test: order, filling, derived arrays,
// gains and working samples, then criteria and grades.
#include "model/section_record.h"
#include "model/test_header.h"
#include "processing/channel_filter.h"

namespace tarnix {

// Completes one section in use.
void CompleteSection(SectionRecord& section, const TestHeader& header, const ChannelFilter& filter);

// Recomputes the per-point arrays from the points, in their dependency order.
void RebuildDerivedArrays(SectionRecord& section);

// Mean of the non-zero gains of the points with a waveform; unchanged when none.
void UpdateMeanGain(SectionRecord& section);

}  // namespace tarnix
