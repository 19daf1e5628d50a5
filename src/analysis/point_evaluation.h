#pragma once
// Class of each point of a section from its velocity and amplitude.
#include "model/section_record.h"

namespace tarnix {

// Against the section's criteria: 0 without waveform, 1 when both velocity and
// amplitude are at or above their criteria, 2 when one is below, 3 when both are.
void RebuildGrades(SectionRecord& section);

}  // namespace tarnix
