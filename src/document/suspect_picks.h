#pragma once
// The doubtful and poor automatic picks of the channel pair shown, for the
// engineer to look at one after another.
#include "document/tarnix_doc.h"

namespace tarnix {

// Points of the current pair with a doubtful or poor pick in either channel.
int CountSuspectPoints(const CTarnixDoc& doc);

// The next such point after from (step 1) or before it (step -1), wrapping
// round the hole; -1 when there is none.
int NextSuspectPoint(const CTarnixDoc& doc, int from, int step);

}  // namespace tarnix
