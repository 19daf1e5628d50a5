// C formatting and atof/atoi-style reading, whatever the user's locale.
#include "base/c_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdio>
#include <string>

namespace tarnix {
namespace {

// Switches the process to a locale with a decimal comma for one test.
struct CommaLocale {
  CommaLocale() : previous(std::setlocale(LC_ALL, nullptr)) {
    active = std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "de_DE.utf8");
  }
  ~CommaLocale() { std::setlocale(LC_ALL, previous.c_str()); }
  std::string previous;
  bool active = false;
};

TEST(CText, FormatsLikePrintf) {
  EXPECT_EQ(CFormat("%8.2f", 3.14159), "    3.14");
  EXPECT_EQ(CFormat("%-2d  ", 5), "5   ");
  const std::string longText(300, 'x');
  EXPECT_EQ(CFormat("[%s]", longText.c_str()), "[" + longText + "]");
}

TEST(CText, DecimalPointSurvivesACommaLocale) {
  CommaLocale locale;
  if (!locale.active) GTEST_SKIP() << "no locale with a decimal comma installed";
  char plain[32];
  std::snprintf(plain, sizeof plain, "%.1f", 1.5);
  ASSERT_STREQ(plain, "1,5") << "the locale does not use a decimal comma";

  EXPECT_EQ(CFormat("%8.2f", 1234.5), " 1234.50");
  EXPECT_EQ(CFormat("%g", 0.25), "0.25");
  EXPECT_DOUBLE_EQ(CToFloat("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(CToFloat("1,5"), 1.0);
}

TEST(CText, ToFloatReadsLikeAtof) {
  EXPECT_DOUBLE_EQ(CToFloat("  2.5xyz"), 2.5);
  EXPECT_DOUBLE_EQ(CToFloat("+1.5"), 1.5);
  EXPECT_DOUBLE_EQ(CToFloat("-.5"), -0.5);
  EXPECT_DOUBLE_EQ(CToFloat("1e3x"), 1000.0);
  EXPECT_EQ(CToFloat("abc"), 0.0);
  EXPECT_EQ(CToFloat(""), 0.0);
  // Only the view's characters count, not what follows it in memory.
  EXPECT_DOUBLE_EQ(CToFloat(std::string_view("12345", 2)), 12.0);
}

TEST(CText, ToIntReadsLikeAtoiAndClamps) {
  EXPECT_EQ(CToInt("42abc"), 42);
  EXPECT_EQ(CToInt("  -7"), -7);
  EXPECT_EQ(CToInt("+3"), 3);
  EXPECT_EQ(CToInt("3.9"), 3);
  EXPECT_EQ(CToInt("1e3x"), 1);
  EXPECT_EQ(CToInt("x1"), 0);
  EXPECT_EQ(CToInt(""), 0);
  EXPECT_EQ(CToInt("99999999999"), INT_MAX);
  EXPECT_EQ(CToInt("-99999999999"), INT_MIN);
  EXPECT_EQ(CToInt("999999999999999999999999"), INT_MAX);
}

}  // namespace
}  // namespace tarnix
