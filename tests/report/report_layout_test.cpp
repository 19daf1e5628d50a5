#include "report/report_layout.h"

#include <gtest/gtest.h>

namespace tarnix {
namespace {

using P = RockParameter;

LayerSet Flags(int style1, int style2, int tag1, int tag2, int tag3) {
  LayerSet l;
  l.m_style1 = style1, l.m_style2 = style2, l.m_tag1 = tag1, l.m_tag2 = tag2, l.m_tag3 = tag3;
  return l;
}

TEST(ReportLayout, ParameterColumnsFollowTheShowFlags) {
  EXPECT_EQ(ParameterColumns(Flags(1, 0, 1, 1, 1)), (std::vector<P>{P::UnitWeight, P::Poisson, P::Modulus, P::Kv}));
  EXPECT_EQ(ParameterColumns(Flags(1, 0, 1, 1, 0)), (std::vector<P>{P::UnitWeight, P::Poisson, P::Modulus}));
  EXPECT_EQ(ParameterColumns(Flags(1, 0, 1, 0, 1)), (std::vector<P>{P::Poisson, P::Kv}));
  EXPECT_EQ(ParameterColumns(Flags(1, 0, 0, 1, 1)), (std::vector<P>{P::UnitWeight, P::Kv}));
  EXPECT_TRUE(ParameterColumns(Flags(1, 0, 0, 0, 0)).empty());
  EXPECT_TRUE(ParameterColumns(Flags(0, 1, 1, 1, 1)).empty());
}

TEST(ReportLayout, ResultBlockEndsWithItsColumns) {
  // 4130 pixels: u = 70.
  TableColumns c = LayoutColumns(100, 4130, Flags(1, 0, 1, 1, 1));
  EXPECT_EQ(c.unit, 70);
  EXPECT_EQ(c.resultRight, 100 + 60 * 70);
  EXPECT_EQ(LayoutColumns(100, 4130, Flags(0, 0, 1, 1, 1)).resultRight, 100 + 44 * 70);
  EXPECT_EQ(LayoutColumns(100, 4130, Flags(0, 1, 1, 1, 1)).resultRight, 100 + 4130);
  EXPECT_EQ(LayoutColumns(100, 4130, Flags(1, 0, 1, 0, 1)).resultRight, 100 + 52 * 70);
}

TEST(ReportLayout, BandsOfThePage) {
  const ReportBands one = LayoutReportBands(6187, 0);
  EXPECT_EQ(one.headerHeight, 6187 / 13);
  EXPECT_EQ(LayoutReportBands(6187, 1).headerHeight, 618);
  EXPECT_EQ(one.bandTop, 618 + 123);
  EXPECT_EQ(one.bodyBottom, 6187 - 123);
  EXPECT_EQ(one.bodyTop, static_cast<int>(6064 - 0.76f * 6187));
}

TEST(ReportLayout, TextCutToItsCell) {
  EXPECT_EQ(FittingCharacters(20, 100.0, 50.0), 20);
  EXPECT_EQ(FittingCharacters(20, 50.0, 200.0), 5);
  EXPECT_EQ(FittingCharacters(20, -30.0, 200.0), 0);  // an inverted cell
  EXPECT_EQ(FittingCharacters(0, 50.0, 200.0), 0);
}

TEST(ReportLayout, HeaderFooterAndPageNumbers) {
  double x = -1;
  ASSERT_TRUE(AlignedTextLeft(100, 1000, 5, 20, 1, x));
  EXPECT_DOUBLE_EQ(x, 100 + 0.75 * 1000 * 0.5);
  ASSERT_TRUE(AlignedTextLeft(100, 1000, 5, 20, 2, x));
  EXPECT_DOUBLE_EQ(x, 100 + 0.75 * 1000);
  ASSERT_TRUE(AlignedTextLeft(100, 1000, 5, 3, 1, x));
  EXPECT_LT(x, 100);  // a share over 1 is kept as computed, in floating point
  EXPECT_FALSE(AlignedTextLeft(100, 10, 0, 0, 1, x));
  EXPECT_EQ(RomanNumeral(1994), "MCMXCIV");
  EXPECT_EQ(RomanNumeral(4), "IV");
  EXPECT_EQ(RomanNumeral(0), "");
  EXPECT_EQ(PageNumberText(1, 2, 0), " 3");
  EXPECT_EQ(PageNumberText(1, 8, 1), "IX");
}

}  // namespace
}  // namespace tarnix
