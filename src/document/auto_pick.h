#pragma once
// Automatic picking of the shown channels: every waveform re-picked from the
// record, the derived values and criteria recomputed.
#include "document/tarnix_doc.h"

namespace tarnix {

// Channel 0 is the current section, channel 1 the one after it.
void AutoPickChannel(CTarnixDoc& doc, int channel);
// The frame command: channel 1, then channel 2 when waveforms are shown.
void AutoPick(CTarnixDoc& doc);

}  // namespace tarnix
