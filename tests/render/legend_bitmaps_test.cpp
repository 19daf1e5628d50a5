// The committed legend bitmaps: one loadable file per lithology name, no two
// names drawn alike.
#include <gtest/gtest.h>

#include <QImage>
#include <map>

#include "analysis/lithology.h"

namespace tarnix {
namespace {

TEST(LegendBitmapsTest, EveryNameHasItsOwnPattern) {
  const QString folder = QStringLiteral(TARNIX_TEST_DATA "/../../resources/legends/");
  std::map<std::string, QImage> byName;
  for (const char* name : kLithologyNames) {
    const QImage image(folder + QString::fromStdString(*LegendFileName(name)));
    ASSERT_FALSE(image.isNull()) << name;
    EXPECT_EQ(image.size(), QSize(64, 64)) << name;
    byName.emplace(name, image);
  }
  EXPECT_EQ(byName.size(), 85u);  // "软粘土" is listed twice
  for (auto a = byName.begin(); a != byName.end(); ++a) {
    for (auto b = std::next(a); b != byName.end(); ++b) EXPECT_NE(a->second, b->second) << a->first << " " << b->first;
  }
}

}  // namespace
}  // namespace tarnix
