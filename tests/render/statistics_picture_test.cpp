// The statistics panel's geometry: blocks of G value columns 54 pixels wide,
// four groups of six rows 6.5 rows apart, and a page setting from the settings
// file that cannot make it empty or enormous.
#include "render/statistics_picture.h"

#include <gtest/gtest.h>

namespace tarnix {
namespace {

TEST(StatisticsPictureLayout, BlocksOfTheSectionsPerPage) {
  const StatisticsPictureLayout l = LayoutStatisticsPicture(4, 3);
  EXPECT_EQ(l.blocks, 2);
  EXPECT_EQ(l.Block(0).width(), 54 * 3 + 72);
  EXPECT_EQ(l.Block(0).top(), 35);
  EXPECT_EQ(l.Block(0).bottom() + 1, 575);
  EXPECT_EQ(l.Block(1).left(), l.Block(0).right() + 1 + 5);
  EXPECT_EQ(l.ValueColumn(1, 0).left(), l.Block(1).left() + 65);
  EXPECT_EQ(l.ValueColumn(1, 2).left(), l.Block(1).left() + 65 + 2 * 54);
  EXPECT_LE(l.ValueColumn(1, 2).right(), l.Block(1).right());
  EXPECT_EQ(l.RowTop(1) - l.RowTop(0), 20);
  EXPECT_EQ(l.RowTop(6) - l.RowTop(0), 130);
  EXPECT_EQ(l.RowTop(18) - l.RowTop(0), 390);
  EXPECT_LE(l.RowTop(23) + 20, 575);
  EXPECT_EQ(l.frame.top(), 5);
  EXPECT_EQ(l.frame.bottom(), 625);
  EXPECT_GT(l.frame.right(), l.Block(1).right());
  EXPECT_EQ(LayoutStatisticsPicture(3, 3).blocks, 1);
  EXPECT_EQ(LayoutStatisticsPicture(10, 1).blocks, 10);
}

TEST(StatisticsPictureLayout, OddPageSettingsFallBackToThree) {
  for (int g : {0, -2, 11, 100000}) {
    const StatisticsPictureLayout l = LayoutStatisticsPicture(10, g);
    EXPECT_EQ(l.perBlock, 3) << g;
    EXPECT_EQ(l.blocks, 4) << g;
  }
  EXPECT_EQ(LayoutStatisticsPicture(0, 3).blocks, 1);  // an empty test still shows its frame
}

}  // namespace
}  // namespace tarnix
