#pragma once
// Direct access to the document's state for tests that build a situation by
// hand (a fixture section, a damaged value) rather than through the
// operations a user reaches.
#include "document/tarnix_doc.h"

namespace tarnix {

struct DocumentTestAccess {
  static TestHeader& Header(CTarnixDoc& d) { return d.header_; }
  static Sections& AllSections(CTarnixDoc& d) { return d.sections_; }
  static SectionRecord& Section(CTarnixDoc& d, int i) { return d.sections_[i]; }
  static LayerSet& Layers(CTarnixDoc& d) { return d.layers_; }
  static ChannelFilter& Filter(CTarnixDoc& d, int i) { return d.filters_[i]; }
  static int32_t& TimeCorrection(CTarnixDoc& d, int i) { return d.timeCorrection_[i]; }
  static int& CurrentSection(CTarnixDoc& d) { return d.currentSection_; }
  static int& CurrentPoint(CTarnixDoc& d) { return d.currentPoint_; }
  static std::optional<CSamNode>& WaveClipboard(CTarnixDoc& d) { return d.waveClipboard_; }
  static DocumentSnapshot& DisplaySnapshot(CTarnixDoc& d) { return d.displaySnapshot_; }
  static DocumentSnapshot& ProcessingSnapshot(CTarnixDoc& d) { return d.processingSnapshot_; }
  // Re-filters a channel of the current pair with the settings it holds.
  static void ApplyChannelFilter(CTarnixDoc& d, int channel) {
    const int i = d.currentSection_ + channel;
    d.SetFilter(i, d.filters_[i]);
  }
};

}  // namespace tarnix
