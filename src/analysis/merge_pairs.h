#pragma once
// How merged files place their sections: a pair of pipes (1-based, s < d) names
// one of the ten sections of the merged test, and the targets a user picks name
// pairs.
#include <optional>
#include <string>

#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

inline constexpr char kTransmitterAbove[] = "发射在上";
inline constexpr char kTransmitterBelow[] = "发射在下";
inline constexpr char kNotMerged[] = "不并入";

struct PipePair {
  int sour = 0;
  int dest = 0;
  bool operator==(const PipePair&) const = default;
};

// (d - 1)(d - 2) / 2 + s - 1: (1,2) -> 0, (1,3) -> 1, (2,3) -> 2, (1,4) -> 3 ...
// (4,5) -> 9; -1 unless 1 <= s < d <= 5.
int MergedIndex(PipePair pair);

// The pair a target names: "发射在上" (1,2), "发射在下" (1,3), "s-d" by its
// first and third characters. Nothing for "不并入" or any other text.
std::optional<PipePair> TargetPair(const std::string& target);

// The pipes a merged test is written with. Every pair up to pipeCount gives its
// section's pipes; a single-hole probe section (receiver depth differs from the
// transmitter's at its first waveform) then takes its pipes from the first
// merged pair: that pair itself with the transmitter above, the pair turned on
// by one pipe with it below.
void AssignMergedPipes(Sections& sections, int pipeCount, PipePair firstPair);

}  // namespace tarnix
