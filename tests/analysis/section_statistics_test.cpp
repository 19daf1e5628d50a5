// The panel's statistics block: labels, formats and the two summary lines.
#include "analysis/section_statistics.h"

#include <gtest/gtest.h>

#include "analysis/analysis_fixture.h"

namespace tarnix {
namespace {

using test::AddPoint;

class StatisticsBlockTest : public ::testing::Test {
 protected:
  StatisticsBlockTest() {
    // Section 0: three measured points and an empty shallow end.
    AddPoint(sections_[0], 3.0f, true, 100.0f, 4.0f, 60.0f, 30.0f);
    AddPoint(sections_[0], 2.0f, true, 110.0f, 5.0f, 70.0f, 32.0f);
    AddPoint(sections_[0], 1.0f, true, 130.0f, 6.0f, 80.0f, 34.0f);
    AddPoint(sections_[0], 0.0f, false, 0.0f);
    // Section 2: two points.
    AddPoint(sections_[2], 3.0f, true, 200.0f, 2.0f, 50.0f, 20.0f);
    AddPoint(sections_[2], 2.0f, true, 220.0f, 3.0f, 51.0f, 21.0f);
    sections_[2].lastIndex = 0;
  }

  Sections sections_;
  CAlgorithm_SL_264_2001 algorithm_;
};

TEST_F(StatisticsBlockTest, TwentyFourLabelledTextsPerSectionInUse) {
  const StatisticsBlock b = BuildStatisticsBlock(sections_, algorithm_, 0);
  ASSERT_EQ(b.sections.size(), 2u);
  EXPECT_EQ(b.sections[1].section, 2);
  const auto& items = b.sections[0].items;
  ASSERT_EQ(items.size(), 24u);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"T最大值", "130.0"}, {"T最小值", "100.0"}, {"T平均值", "113.3"}, {"T标准差", "15.3"},
      {"T临界值", "0.0"},   {"T离差值", "13.5%"}, {"V最大值", "6.000"}, {"V最小值", "4.000"},
      {"V平均值", "5.000"}, {"V标准差", "1.000"}, {"V临界值", "0.000"}, {"V离差值", "20.00%"},
      {"A最大值", "80.00"}, {"A最小值", "60.00"}, {"A平均值", "70.00"}, {"A标准差", "10.00"},
      {"A临界值", "0.00"},  {"A离差值", "14.29%"}, {"F最大值", "34.000"}, {"F最小值", "30.000"},
      {"F平均值", "32.000"}, {"F标准差", "2.000"}, {"F临界值", ""},      {"F离差值", "6.25%"},
  };
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(items[i].label, expected[i].first);
    EXPECT_EQ(items[i].text, expected[i].second) << items[i].label;
  }
}

TEST_F(StatisticsBlockTest, SummaryLinesAverageTheShownTexts) {
  const StatisticsBlock b = BuildStatisticsBlock(sections_, algorithm_, 0);
  // Section 2's range is its first point only: V 2.000, 0.00%; A 50.00, 0.00%.
  EXPECT_EQ(b.velocityLine, "声速：平均=3.500km/s 离散=10.00");
  EXPECT_EQ(b.amplitudeLine, "声幅：平均=60dB 离散=7.14");
}

TEST(StatisticsBlockEmptyTest, NoSectionInUse) {
  Sections sections;
  CAlgorithm_SL_264_2001 algorithm;
  const StatisticsBlock b = BuildStatisticsBlock(sections, algorithm, 0);
  EXPECT_TRUE(b.sections.empty());
  EXPECT_EQ(b.velocityLine, "声速：平均=0.000km/s 离散=0.00");
  EXPECT_EQ(b.amplitudeLine, "声幅：平均=0dB 离散=0.00");
}

}  // namespace
}  // namespace tarnix
