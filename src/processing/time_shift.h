#pragma once
// Sound-time correction: moving waveforms by whole samples, the picks following.
#include <cstdint>

#include "model/section_record.h"

namespace tarnix {

// Samples of a correction in µs at the test's sampling interval (truncated).
int CorrectionSamples(int32_t correctionUs, float dtUs);

// The record (uncorrected) index of a shown index: the correction undone in one
// floating-point sum, truncated once. Without a sampling interval the index
// stays as it is.
int32_t RecordIndex(int shownIndex, int32_t correctionUs, float dtUs);

// Moves the working samples k places earlier (k > 0) or later (k < 0), filling
// with the zero level; the shown picks become the record picks minus k, kept
// inside the record.
void ShiftWaveform(CSamNode& point, int k);

// Shifts every point with samples in the section's evaluated range.
void ShiftSection(SectionRecord& section, int k);

}  // namespace tarnix
