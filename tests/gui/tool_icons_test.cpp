// The toolbar pictures: every one drawn, in all three states, and distinct.
#include "shell/tool_icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <cstdlib>
#include <set>

namespace tarnix {
namespace {

constexpr int kCount = static_cast<int>(ToolIcon::BackToMain) + 1;

QImage Picture(ToolIcon which, QIcon::Mode mode) {
  const QPixmap pixmap = MakeToolIcon(which).pixmap(QSize(32, 32), mode);
  EXPECT_EQ(pixmap.size(), QSize(32, 32)) << static_cast<int>(which) << " mode " << mode;
  return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
  return count;
}

TEST(ToolIconsTest, EveryIconHasThreeDistinctStates) {
  for (int i = 0; i < kCount; ++i) {
    SCOPED_TRACE(i);
    const ToolIcon which = static_cast<ToolIcon>(i);
    ASSERT_FALSE(MakeToolIcon(which).isNull());
    const QImage normal = Picture(which, QIcon::Normal);
    const QImage hot = Picture(which, QIcon::Active);
    const QImage disabled = Picture(which, QIcon::Disabled);
    // A picture, not a speck: a good part of the square is covered.
    EXPECT_GT(OpaquePixels(normal), 32 * 32 / 5);
    EXPECT_NE(normal, hot);
    EXPECT_NE(normal, disabled);
  }
}

TEST(ToolIconsTest, DisabledIsGreyAndLighter) {
  for (int i = 0; i < kCount; ++i) {
    SCOPED_TRACE(i);
    const QImage normal = Picture(static_cast<ToolIcon>(i), QIcon::Normal);
    const QImage disabled = Picture(static_cast<ToolIcon>(i), QIcon::Disabled);
    int coloured = 0;
    long normalLight = 0, disabledLight = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QRgb d = disabled.pixel(x, y);
        if (qAlpha(d) > 150) {
          coloured += std::abs(qRed(d) - qGreen(d)) > 3 || std::abs(qGreen(d) - qBlue(d)) > 3;
          disabledLight += qGray(d);
          normalLight += qGray(normal.pixel(x, y));
        }
      }
    }
    EXPECT_EQ(coloured, 0);
    EXPECT_GT(disabledLight, normalLight);
  }
}

TEST(ToolIconsTest, IconsAreDifferentAndBuiltOnce) {
  std::set<QByteArray> seen;
  for (int i = 0; i < kCount; ++i) {
    const QImage normal = Picture(static_cast<ToolIcon>(i), QIcon::Normal);
    const QByteArray bytes(reinterpret_cast<const char*>(normal.constBits()), normal.sizeInBytes());
    EXPECT_TRUE(seen.insert(bytes).second) << "icon " << i << " repeats an earlier one";
    EXPECT_EQ(MakeToolIcon(static_cast<ToolIcon>(i)).cacheKey(),
              MakeToolIcon(static_cast<ToolIcon>(i)).cacheKey());
  }
}

}  // namespace
}  // namespace tarnix
