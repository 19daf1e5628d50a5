#include "document/suspect_picks.h"

namespace tarnix {
namespace {

bool Suspect(const CTarnixDoc& doc, int point) {
  for (int channel = 0; channel < 2; ++channel) {
    const SectionRecord* s = doc.ChannelSection(channel);
    if (s == nullptr || !s->valid) continue;
    const CSamNode* p = s->PointAt(point);
    if (p != nullptr && p->HasWaveform() && p->pickQuality != PickQuality::Good) return true;
  }
  return false;
}

int PointCount(const CTarnixDoc& doc) {
  const SectionRecord* s = doc.ChannelSection(0);
  return s != nullptr && s->valid ? s->PointCount() : 0;
}

}  // namespace

int CountSuspectPoints(const CTarnixDoc& doc) {
  int count = 0;
  for (int i = 0; i < PointCount(doc); ++i) count += Suspect(doc, i) ? 1 : 0;
  return count;
}

int NextSuspectPoint(const CTarnixDoc& doc, int from, int step) {
  const int n = PointCount(doc);
  if (n == 0 || step == 0) return -1;
  step = step > 0 ? 1 : -1;
  int i = from >= 0 && from < n ? from : (step > 0 ? -1 : n);
  for (int k = 0; k < n; ++k) {
    i += step;
    if (i < 0) i = n - 1;
    if (i >= n) i = 0;
    if (Suspect(doc, i)) return i;
  }
  return -1;
}

}  // namespace tarnix
