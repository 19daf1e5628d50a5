#pragma once
// One section: one transmitter-receiver channel with its points and derived arrays.
#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include "model/sam_node.h"

namespace tarnix {

inline constexpr int kSectionCount = 10;
inline constexpr int kDefectCount = 10;

struct SectionRecord {
  bool valid = false;
  int32_t sourPipe = 0;
  int32_t destPipe = 0;
  float crossD = 0.0f;
  float gain = 0.0f;
  float meanGain = 0.0f;
  float t0 = 0.0f;
  float dT = 0.0f;
  float delay = 0.0f;
  float filtH = 0.0f;
  float filtL = 0.0f;
  float senDH = 0.0f;
  std::array<float, kDefectCount> defect{};
  float pipeCorrection = 0.0f;
  int32_t datLen = 0;
  float vAvg = 0.0f, vC = 0.0f, vSd = 0.0f, vDis = 0.0f;
  int32_t level = 0, type = 0;
  float vMin = 0.0f;
  float aAvg = 0.0f, aC = 0.0f, aMin = 0.0f;
  float criticalA = 0.0f;
  float criticalV = 0.0f;
  int32_t firstIndex = -1;
  int32_t lastIndex = -1;

  // Deepest first after completion. A deque: cheap insertion at both ends and
  // random access by index, which every operation on points uses.
  std::deque<CSamNode> points;

  std::vector<float> arrivalTime;
  std::vector<float> velocity;
  std::vector<float> ampDb;
  std::vector<float> mainFreq;
  std::vector<float> depths;
  std::vector<float> psd;  // one per pair of neighbours
  std::vector<float> grades;

  int PointCount() const { return static_cast<int>(points.size()); }
  CSamNode* PointAt(int i);
  const CSamNode* PointAt(int i) const;

  // Sample index of a time in µs: trunc((t - delay) / dT). A degenerate dT
  // (0, or a quotient outside the int range) gives 0 instead of undefined behaviour.
  int32_t TimeToIndex(float t) const;

  // Appends a point with a copy of the given waveform in both buffers.
  void AppendPoint(const uint16_t* samples, int count, float sourL, float destL, float span,
                   float gain, float tArrival, float tAmp, float ampDb);
  // A point without waveform at the given depth, as the filling step creates it.
  CSamNode MakeFillerPoint(float depth) const;

  // Millivolts of sample k of point i; the 1 µV floor outside the list or record.
  double Amplitude(int i, int k) const;
  float ArrivalTime(const CSamNode& point) const;
  float Velocity(const CSamNode& point) const;

  // Collapses points less than 1 mm apart (the later recording wins) and sorts
  // deepest first; resets the evaluated range to all points.
  void CollapseDuplicatesAndSort();
  // Fills the hole with empty points at the regular spacing: deeper ones down to
  // pileLen, shallower ones up to depth 0.
  void PadToLength(float pileLen, float move);
  // Removes the points deeper than pileLen.
  void TrimBelow(float pileLen);

  // Depth span of the evaluated range (its first point's depth minus its last
  // one's); false while the range names no points.
  bool RangeSpan(float& span) const;

  void RebuildAmpDb();
  void RebuildArrivalTime();
  void RebuildVelocity();
  void RebuildDepths();
  void RebuildPsd();
};

// The ten sections a test always has, in index order.
using Sections = std::array<SectionRecord, kSectionCount>;

}  // namespace tarnix
