#pragma once
// The one document: the opened test, its per-section processing settings and
// the state the views share. No Qt here; whatever the document must ask or tell
// the user goes through the shell.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "analysis/algorithm.h"

#include "model/layer_set.h"
#include "model/section_record.h"
#include "model/test_header.h"
#include "processing/channel_filter.h"

namespace tarnix {

class CTarnixDoc {
 public:
  CTarnixDoc();
  CTarnixDoc(const CTarnixDoc&) = delete;  // the algorithm reads this document's own members
  CTarnixDoc& operator=(const CTarnixDoc&) = delete;

  // Reads a raw test pair and completes it. Throws FileError with the user-facing
  // message; the document is then exactly as it was.
  void OpenRawTest(const std::string& path);

  // Rebuilds the working waveforms of channel 0 or 1 (the current section and the
  // one after it) from the samples as read, through that section's filter
  // settings, then re-applies its sound-time correction.
  void ApplyChannelFilter(int channel);

  // Replaces the algorithm by a new SL-264-2001 one and recomputes the criteria
  // and grades of every section in use.
  void ChooseStandard();

  // The section shown in the channel's pane, or nullptr.
  SectionRecord* ChannelSection(int channel);

  TestHeader header;
  Sections sections;
  LayerSet layers;
  // Per section, by section index: the picker, the open path and the filter
  // dialog all address the same entry, whichever section is current.
  std::array<ChannelFilter, kSectionCount> filters;
  std::array<int32_t, kSectionCount> timeCorrection{};  // µs
  std::array<bool, kSectionCount> sectionFlags;
  std::unique_ptr<CAlgorithm> algorithm;
  int samplingStep = 0;  // statistics of the panels: 0 = every point with a waveform
  int currentSection = -1;
  int currentPoint = -1;
  bool hasData = false;
  bool modified = false;

  // Shifts channel 0 or 1 by its sound-time correction and recomputes its arrays.
  void ShiftChannel(int channel);
};

}  // namespace tarnix
