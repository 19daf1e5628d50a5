#include "analysis/merge_pairs.h"

#include <algorithm>
#include <utility>

namespace tarnix {

int MergedIndex(PipePair p) {
  if (p.sour < 1 || p.sour >= p.dest || p.dest > kMaxPipes) return -1;
  return (p.dest - 1) * (p.dest - 2) / 2 + p.sour - 1;
}

std::optional<PipePair> TargetPair(const std::string& target) {
  if (target == kTransmitterAbove) return PipePair{1, 2};
  if (target == kTransmitterBelow) return PipePair{1, 3};
  if (target.size() == 3 && target[1] == '-' && target[0] >= '1' && target[0] <= '9' && target[2] >= '1' &&
      target[2] <= '9') {
    return PipePair{target[0] - '0', target[2] - '0'};
  }
  return std::nullopt;
}

void AssignMergedPipes(Sections& sections, int pipeCount, PipePair firstPair) {
  const int pipes = std::clamp(pipeCount, 0, kMaxPipes);
  for (int d = 2; d <= pipes; ++d) {
    for (int s = 1; s < d; ++s) {
      SectionRecord& section = sections[MergedIndex({s, d})];
      section.sourPipe = s - 1;
      section.destPipe = d - 1;
      const auto first = std::find_if(section.points.begin(), section.points.end(),
                                      [](const CSamNode& p) { return p.HasWaveform(); });
      if (first == section.points.end()) continue;
      if (first->destL > first->sourL) {
        section.sourPipe = firstPair.sour - 1;
        section.destPipe = firstPair.dest - 1;
      } else if (first->destL < first->sourL) {
        section.sourPipe = (firstPair.sour + 1) % pipes;
        section.destPipe = (firstPair.dest + 1) % pipes;
        if (section.sourPipe > section.destPipe) std::swap(section.sourPipe, section.destPipe);
      }
    }
  }
}

}  // namespace tarnix
