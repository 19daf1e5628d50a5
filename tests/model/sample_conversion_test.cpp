// Sample values to volts, millivolts and dB.
#include "model/sample_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarnix {
namespace {

TEST(SampleConversion, VoltsFollowGainAroundTheZeroLevel) {
  EXPECT_DOUBLE_EQ(SampleVolts(2048, 1.0f), 0.0);
  EXPECT_DOUBLE_EQ(SampleVolts(0, 1.0f), -2.0);
  EXPECT_DOUBLE_EQ(SampleVolts(4095, 1.0f), 2047.0 / 1024.0);
  EXPECT_DOUBLE_EQ(SampleVolts(3072, 4.0f), 0.25);
  EXPECT_DOUBLE_EQ(SampleVolts(1024, 0.5f), -2.0);
  // Gain 0 carries no amplitude: the 1 µV floor, not a division by zero.
  EXPECT_EQ(SampleVolts(3000, 0.0f), kFloorVolts);
  EXPECT_DOUBLE_EQ(VoltsToMillivolts(0.25), 250.0);
}

TEST(SampleConversion, DecibelsAreRelativeToOneMicrovolt) {
  EXPECT_NEAR(VoltsToDb(0.001), 60.0, 1e-9);
  EXPECT_NEAR(VoltsToDb(-0.001), 60.0, 1e-9);
  EXPECT_NEAR(VoltsToDb(1.0), 120.0, 1e-9);
  EXPECT_NEAR(VoltsToDb(kFloorVolts), 0.0, 1e-5);
  EXPECT_EQ(VoltsToDb(0.0), 0.0);
}

TEST(SampleConversion, DecibelsPassOnceThroughSinglePrecisionMillivolts) {
  const double volts = 1.0 / 3.0;
  const double viaFloat = static_cast<float>(volts * 1000.0) / 1000.0;
  EXPECT_DOUBLE_EQ(VoltsToDb(volts), 20.0 * std::log10(viaFloat / 1e-6));
  EXPECT_NE(VoltsToDb(volts), 20.0 * std::log10(volts / 1e-6));
  // Too small for a float: it becomes exactly 0 and so 0 dB, not a huge negative value.
  EXPECT_EQ(VoltsToDb(1e-50), 0.0);
  EXPECT_TRUE(std::isfinite(VoltsToDb(-1e-50)));
}

}  // namespace
}  // namespace tarnix
