#pragma once
// Agreement between the two receivers of a point: the far receiver hears the
// arrival later than the near one, by about as much as at the points around.
#include "model/section_record.h"

namespace tarnix {

// Lowers the quality of both picks of every point whose time difference is
// not positive or lies more than a quarter away from its neighbours' on both
// sides. Points without a waveform are left alone.
void GradeReceiverAgreement(SectionRecord& nearSection, SectionRecord& farSection);

}  // namespace tarnix
