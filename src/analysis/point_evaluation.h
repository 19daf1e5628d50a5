#pragma once
// Per-point evaluation of a section: dominant frequencies, criteria and grades.
#include "model/section_record.h"

namespace tarnix {

// Fills mainFreq (kHz) per point and records the chosen spectrum bin in
// freqIndex where it is -1. The dominant-frequency computation is not in yet:
// until it is, every point reads 0 kHz and freqIndex stays as it is.
void RebuildMainFreq(SectionRecord& section);

// Criteria of a freshly read raw test, from the evaluation algorithm. Under
// SL-264-2001, the only standard, neither criterion is defined: both are 0.
void SetRawTestCriteria(SectionRecord& section);

// Class of each point from its velocity and amplitude against the criteria:
// 0 without waveform, 1 when both are at or above their criteria, 2 when one
// is below, 3 when both are below.
void RebuildGrades(SectionRecord& section);

}  // namespace tarnix
