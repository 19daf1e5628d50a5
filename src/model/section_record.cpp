#include "model/section_record.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "model/sample_conversion.h"

namespace tarnix {
namespace {

// Filling never creates more empty points than this at either end: a damaged
// header (absurd depth or spacing) must not exhaust memory or hang the open.
constexpr double kMaxFillerPoints = 200000;

bool FillingIsSane(double from, double to, float move) {
  if (!(move > 0.0f) || !std::isfinite(move) || !std::isfinite(from) || !std::isfinite(to)) {
    return false;
  }
  return (to - from) / move <= kMaxFillerPoints;
}

}  // namespace

CSamNode* SectionRecord::PointAt(int i) {
  if (i < 0 || i >= PointCount()) return nullptr;
  return &points[i];
}

const CSamNode* SectionRecord::PointAt(int i) const {
  if (i < 0 || i >= PointCount()) return nullptr;
  return &points[i];
}

int32_t SectionRecord::TimeToIndex(float t) const {
  const float q = (t - delay) / dT;
  if (!std::isfinite(q) || q >= 2147483520.0f || q <= -2147483520.0f) return 0;
  return static_cast<int32_t>(q);
}

void SectionRecord::AppendPoint(const uint16_t* samples, int count, float sourL, float destL,
                                float span, float gain, float tArrival, float tAmp, float ampDb) {
  CSamNode p;
  p.samples.assign(samples, samples + count);
  p.rawSamples = p.samples;
  p.sourL = sourL;
  p.destL = destL;
  p.span = span;
  p.gain = gain;
  p.arrivalIndex = p.autoArrivalIndex = TimeToIndex(tArrival);
  p.ampIndex = p.autoAmpIndex = TimeToIndex(tAmp);
  p.ampDbRead = ampDb;
  points.push_back(std::move(p));
  if (firstIndex == -1) firstIndex = 0;
  ++lastIndex;
}

CSamNode SectionRecord::MakeFillerPoint(float depth) const {
  CSamNode p;
  p.sourL = depth;
  p.destL = 0.0f;
  p.ampDbRead = 0.0f;
  p.freqIndex = -1;
  p.gain = gain;
  p.span = crossD;
  const int32_t index = TimeToIndex(0.0f);
  p.arrivalIndex = p.ampIndex = p.autoArrivalIndex = p.autoAmpIndex = index;
  return p;
}

double SectionRecord::Amplitude(int i, int k) const {
  const CSamNode* p = PointAt(i);
  if (p == nullptr || !p->HasWaveform() || k < 0 || k >= static_cast<int>(p->samples.size())) {
    return VoltsToMillivolts(kFloorVolts);
  }
  return VoltsToMillivolts(SampleVolts(p->samples[k], p->gain));
}

float SectionRecord::ArrivalTime(const CSamNode& point) const {
  if (!point.HasWaveform()) return 0.0f;
  return static_cast<float>(point.arrivalIndex) * dT + delay;
}

float SectionRecord::Velocity(const CSamNode& point) const {
  const float t = ArrivalTime(point);
  if (t == 0.0f) return 0.0f;
  return point.span / t * 1000.0f;
}

void SectionRecord::CollapseDuplicatesAndSort() {
  const int n = PointCount();
  // Point j (later in the list) collapses into every earlier point i within 1 mm;
  // the latest such j is the recording that point i ends up carrying. A depth-sorted
  // view keeps the neighbourhood search linear for distinct depths.
  std::vector<int> byDepth(n);
  std::iota(byDepth.begin(), byDepth.end(), 0);
  std::stable_sort(byDepth.begin(), byDepth.end(),
                   [&](int a, int b) { return points[a].sourL < points[b].sourL; });
  auto close = [&](int a, int b) { return std::fabs(points[a].sourL - points[b].sourL) < 0.001; };

  std::vector<bool> removed(n, false);
  std::vector<int> latest(n, -1);
  for (int s = 0; s < n; ++s) {
    const int i = byDepth[s];
    for (int dir : {-1, 1}) {
      for (int t = s + dir; t >= 0 && t < n && close(i, byDepth[t]); t += dir) {
        const int j = byDepth[t];
        if (j > i) {
          removed[j] = true;
          latest[i] = std::max(latest[i], j);
        }
      }
    }
  }
  // The later recording wins in both buffers, so that re-filtering from the raw
  // samples does not bring the earlier recording back.
  for (int i = 0; i < n; ++i) {
    if (!removed[i] && latest[i] >= 0) {
      points[i].samples = points[latest[i]].samples;
      points[i].rawSamples = points[latest[i]].rawSamples;
    }
  }
  std::deque<CSamNode> kept;
  for (int i = 0; i < n; ++i) {
    if (!removed[i]) kept.push_back(std::move(points[i]));
  }
  std::stable_sort(kept.begin(), kept.end(),
                   [](const CSamNode& a, const CSamNode& b) { return a.sourL > b.sourL; });
  points = std::move(kept);
  firstIndex = points.empty() ? -1 : 0;
  lastIndex = PointCount() - 1;
}

void SectionRecord::PadToLength(float pileLen, float move) {
  if (points.empty()) return;
  const float f = points.front().sourL;
  const float e = points.back().sourL;
  if (FillingIsSane(f, pileLen + move / 2, move)) {
    for (float h = f + move; h <= pileLen + move / 2; h += move) {
      points.push_front(MakeFillerPoint(h));
      ++lastIndex;
      if (h + move == h) break;
    }
  }
  if (f != 0.0f && FillingIsSane(0.0, e, move)) {
    for (float x = e - move; x >= -0.00001; x -= move) {
      points.push_back(MakeFillerPoint(x));
      if (x - move == x) break;
    }
  }
}

void SectionRecord::TrimBelow(float pileLen) {
  while (!points.empty() && points.front().sourL > pileLen) {
    points.pop_front();
    --lastIndex;
  }
  // With every recorded point below the length only shallow fillers remain,
  // outside any range: the section is as empty as one without points.
  if (lastIndex < firstIndex) points.clear();
  if (points.empty()) firstIndex = lastIndex = -1;
}

bool SectionRecord::RangeSpan(float& span) const {
  const CSamNode* first = PointAt(firstIndex);
  const CSamNode* last = PointAt(lastIndex);
  if (first == nullptr || last == nullptr) return false;
  span = first->sourL - last->sourL;
  return true;
}

void SectionRecord::RebuildAmpDb() {
  ampDb.resize(points.size());
  for (size_t i = 0; i < points.size(); ++i) ampDb[i] = points[i].ampDbRead;
}

void SectionRecord::RebuildArrivalTime() {
  arrivalTime.resize(points.size());
  for (size_t i = 0; i < points.size(); ++i) arrivalTime[i] = ArrivalTime(points[i]);
}

void SectionRecord::RebuildVelocity() {
  velocity.resize(points.size());
  for (size_t i = 0; i < points.size(); ++i) velocity[i] = Velocity(points[i]);
}

void SectionRecord::RebuildDepths() {
  depths.resize(points.size());
  for (size_t i = 0; i < points.size(); ++i) depths[i] = points[i].sourL;
}

void SectionRecord::RebuildPsd() {
  const int n = PointCount();
  psd.assign(n > 1 ? n - 1 : 0, 0.0f);
  if (n < 2) return;
  for (int i = 0; i + 1 < n; ++i) {
    const float t0 = ArrivalTime(points[i]);
    const float t1 = ArrivalTime(points[i + 1]);
    const float dt = t0 - t1;
    const float dd = points[i].sourL - points[i + 1].sourL;
    // Uncompleted sections may hold two points at one depth.
    psd[i] = dd == 0.0f ? 0.0f : std::trunc(dt * dt / dd + 0.5f);
  }
  // No PSD across the empty ends of the hole.
  for (int i = 0; i < n - 1 && !points[i].HasWaveform(); ++i) psd[i] = 0.0f;
  for (int i = n - 1; i >= 0 && !points[i].HasWaveform(); --i) {
    if (i < n - 1) psd[i] = 0.0f;
  }
}

}  // namespace tarnix
