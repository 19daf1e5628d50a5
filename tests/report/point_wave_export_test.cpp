// The name 导出测点波形 proposes: em dashes around the pipes, the depth to a decimetre.
#include "report/point_wave_export.h"

#include <gtest/gtest.h>

namespace tarnix {
namespace {

TEST(PointWaveExport, ProposedName) {
  TestHeader header;
  header.m_holeID = "ZK7";
  SectionRecord section;
  section.sourPipe = 0;
  section.destPipe = 2;
  CSamNode point;
  point.sourL = 12.34f;
  EXPECT_EQ(PointWaveName(header, section, &point), "ZK7\u20141-3\u201412.3");
  EXPECT_EQ(PointWaveName(header, section, nullptr), "ZK7\u20141-3\u20140.0");
}

}  // namespace
}  // namespace tarnix
