#pragma once
// The picture of one measurement point: its read-outs above, the waveform of
// each receiver in a band of its own with the pick markers and a time axis.
// 820 x 500 pixels, black on white, for the 1-bit export.
#include <QImage>

#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

inline constexpr int kPointPictureWidth = 820;
inline constexpr int kPointPictureHeight = 500;

// One receiver's point and the section it belongs to; either may be absent.
struct PointChannel {
  const SectionRecord* section = nullptr;
  const CSamNode* point = nullptr;

  bool HasWave() const { return section != nullptr && point != nullptr && point->HasWaveform(); }
  float ArrivalTime() const { return HasWave() ? section->ArrivalTime(*point) : 0.0f; }
};

// Null when neither channel has a waveform.
QImage DrawPointPicture(const TestHeader& header, const PointChannel& first, const PointChannel& second);

}  // namespace tarnix
