#pragma once
// The per-depth log of a receiver pair over its evaluated range.
#include "analysis/algorithm.h"
#include "model/log_row.h"

namespace tarnix {

// Shallowest first, as log readers expect depth to increase downwards; empty
// without both receivers.
PairLog BuildPairLog(const Receivers& pair, float move);

}  // namespace tarnix
