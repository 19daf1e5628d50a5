// Where merged sections go and which pipes they are written with.
#include <gtest/gtest.h>

#include "analysis/merge_pairs.h"

namespace tarnix {
namespace {

TEST(MergePairs, EveryPairOfFivePipesHasItsOwnSectionInOrder) {
  int expected = 0;
  for (int d = 2; d <= 5; ++d) {
    for (int s = 1; s < d; ++s) EXPECT_EQ(MergedIndex({s, d}), expected++) << s << "-" << d;
  }
  for (PipePair bad : {PipePair{2, 2}, PipePair{3, 2}, PipePair{0, 2}, PipePair{1, 6}, PipePair{5, 6}}) {
    EXPECT_EQ(MergedIndex(bad), -1) << bad.sour << "-" << bad.dest;
  }
  EXPECT_EQ(TargetPair("发射在上"), (PipePair{1, 2}));
  EXPECT_EQ(TargetPair("发射在下"), (PipePair{1, 3}));
  EXPECT_EQ(TargetPair("2-4"), (PipePair{2, 4}));
  EXPECT_FALSE(TargetPair("不并入"));
  EXPECT_FALSE(TargetPair("24"));
}

SectionRecord& Probe(Sections& sections, PipePair pair, float sourL, float destL) {
  SectionRecord& s = sections[MergedIndex(pair)];
  const uint16_t wave[2] = {2048, 2049};
  s.points.push_back(s.MakeFillerPoint(9.0f));  // no waveform: not the one that counts
  s.AppendPoint(wave, 2, sourL, destL, 0.5f, 1, 0, 0, 0);
  s.valid = true;
  return s;
}

TEST(MergePairs, ProbeSectionsTakeTheirPipesFromTheFirstPair) {
  Sections sections;
  SectionRecord& crossHole = Probe(sections, {2, 3}, 1.0f, 1.0f);
  SectionRecord& above = Probe(sections, {1, 2}, 1.0f, 1.5f);
  SectionRecord& below = Probe(sections, {1, 3}, 1.5f, 1.0f);
  sections[5].sourPipe = 7;  // (3,4): not in use, still named by its pair
  AssignMergedPipes(sections, 4, {2, 3});
  EXPECT_EQ(std::pair(crossHole.sourPipe, crossHole.destPipe), std::pair(1, 2));
  EXPECT_EQ(std::pair(above.sourPipe, above.destPipe), std::pair(1, 2));
  // (2 + 1) % 4 = 3 and (3 + 1) % 4 = 0, ordered.
  EXPECT_EQ(std::pair(below.sourPipe, below.destPipe), std::pair(0, 3));
  EXPECT_EQ(std::pair(sections[5].sourPipe, sections[5].destPipe), std::pair(2, 3));
  // Pairs beyond the pipe count are left alone.
  EXPECT_EQ(std::pair(sections[6].sourPipe, sections[6].destPipe), std::pair(0, 0));
}

}  // namespace
}  // namespace tarnix
