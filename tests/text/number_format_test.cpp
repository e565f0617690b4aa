#include "text/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace ps {
namespace {

TEST(NumberFormat, RoundsHalfAwayFromZeroOnSeventeenDigits) {
  EXPECT_EQ(formatFixed(12.5, 5, 0), "   13");
  EXPECT_EQ(formatFixed(-12.5, 5, 0), "  -13");
  EXPECT_EQ(formatFixed(0.0625, 5, 3), "0.063");
  EXPECT_EQ(formatFixed(297.255, 5, 2), "297.26");   // binary value lies just below the tie
  EXPECT_EQ(formatFixed(0.0115, 5, 3), "0.012");
  EXPECT_EQ(formatFixed(2.5, 1, 0), "3");
  EXPECT_EQ(formatFixed(0.5, 1, 0), "1");
  EXPECT_EQ(formatFixed(-0.05, 3, 1), "-0.1");
  EXPECT_EQ(formatFixed(123.4567, 5, 3), "123.457");
  EXPECT_EQ(formatFixed(0.04999999999999999, 3, 1), "0.0");
  // Exact ties of many digits, up to the last short value.
  EXPECT_EQ(formatFixed(999999999999999.5, 1, 0), "1000000000000000");
  EXPECT_EQ(formatFixed(-4503599627370495.5, 1, 0), "-4503599627370496");
  EXPECT_EQ(formatFixed(1234567890123.4565, 1, 3), "1234567890123.457");
}

TEST(NumberFormat, CarriesAndPadsLikePrintf) {
  EXPECT_EQ(formatFixed(999.9996, 5, 3), "1000.000");
  EXPECT_EQ(formatFixed(9.96, 3, 1), "10.0");
  EXPECT_EQ(formatFixed(0.0004, 5, 3), "0.000");
  EXPECT_EQ(formatFixed(0.0005, 5, 3), "0.001");
  EXPECT_EQ(formatFixed(0.0, 5, 3), "0.000");
  EXPECT_EQ(formatFixed(0.0, 5, 1), "  0.0");
  EXPECT_EQ(formatFixed(0.0, 5, 0), "    0");
  EXPECT_EQ(formatFixed(10.0, 5, 0), "   10");
  EXPECT_EQ(formatFixed(-3.175, 5, 0), "   -3");
  EXPECT_EQ(formatFixed(1000.0, 5, 0), " 1000");
  EXPECT_EQ(formatFixed(123456.0, 5, 0), "123456");
  EXPECT_EQ(formatFixed(1e20, 1, 1), "100000000000000000000.0");
  EXPECT_EQ(formatFixed(1e-300, 1, 3), "0.000");
}

TEST(NumberFormat, KeepsTheSignOfNegativeZeroAndSpecials) {
  EXPECT_EQ(formatFixed(-0.0, 5, 3), "-0.000");
  EXPECT_EQ(formatFixed(-0.0001, 5, 3), "-0.000");
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(formatFixed(inf, 5, 0), "  inf");
  EXPECT_EQ(formatFixed(-inf, 5, 3), " -inf");
  // NaN carries no sign in print: x86 makes 0/0 with its sign bit set,
  // other processors without.
  EXPECT_EQ(formatFixed(std::nan(""), 5, 3), "  nan");
  EXPECT_EQ(formatFixed(-std::nan(""), 1, 3), "nan");
  EXPECT_EQ(formatFixed(-std::nan(""), 5, 0), "  nan");
  volatile double zero = 0.0;
  EXPECT_EQ(formatFixed(zero / zero, 5, 1), "  nan");
}

TEST(NumberFormat, Integers) {
  EXPECT_EQ(formatInt(0), "0");
  EXPECT_EQ(formatInt(-2147483648LL), "-2147483648");
  EXPECT_EQ(formatInt(62), "62");
}

// The fewest decimals that read back as the same double, never fewer than
// asked: short decimals stay short, others get the digits they need.
TEST(NumberFormat, ExactTextReadsBackAsTheSameDouble) {
  auto exact = [](double v, int minDecimals) {
    std::string s;
    appendExact(s, v, minDecimals);
    EXPECT_EQ(std::strtod(s.c_str(), nullptr), v) << s;
    return s;
  };
  EXPECT_EQ(exact(0.1, 0), "0.1");
  EXPECT_EQ(exact(7.669, 3), "7.669");
  EXPECT_EQ(exact(20, 3), "20.000");
  EXPECT_EQ(exact(1000, 0), "1000");
  EXPECT_EQ(exact(-600, 1), "-600.0");
  EXPECT_EQ(exact(1.0 / 3, 3), "0.3333333333333333");
  EXPECT_EQ(exact(0.1 + 0.2, 3), "0.30000000000000004");
  EXPECT_EQ(exact(-0.0, 1), "-0.0");
  EXPECT_EQ(exact(1e21, 0), "1000000000000000000000");
  exact(std::numeric_limits<double>::denorm_min(), 0);
}

}  // namespace
}  // namespace ps
