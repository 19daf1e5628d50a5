// Receiver agreement lowers the quality of both picks of a point whose far
// receiver is not later by about what the neighbours show.
#include "document/pick_agreement.h"

#include <gtest/gtest.h>

namespace tarnix {
namespace {

TEST(PickAgreementTest, LowersBothPicksOfAPointOutOfStep) {
  SectionRecord nearSection, farSection;
  const float nearTimes[] = {100, 101, 99, 100, 100, 102};
  const float farTimes[] = {150, 151, 90, 180, 150, 152};  // point 2 earlier, point 3 too late
  for (int i = 0; i < 6; ++i) {
    for (SectionRecord* s : {&nearSection, &farSection}) {
      CSamNode p;
      p.samples.assign(4, 2048);
      s->points.push_back(p);
    }
    nearSection.arrivalTime.push_back(nearTimes[i]);
    farSection.arrivalTime.push_back(farTimes[i]);
  }
  nearSection.points[3].pickQuality = PickQuality::Doubtful;
  GradeReceiverAgreement(nearSection, farSection);
  const PickQuality expectedNear[] = {PickQuality::Good, PickQuality::Good, PickQuality::Doubtful,
                                      PickQuality::Poor, PickQuality::Good, PickQuality::Good};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(nearSection.points[i].pickQuality, expectedNear[i]) << i;
    EXPECT_EQ(farSection.points[i].pickQuality,
              i == 2 || i == 3 ? PickQuality::Doubtful : PickQuality::Good) << i;
  }
}

}  // namespace
}  // namespace tarnix
