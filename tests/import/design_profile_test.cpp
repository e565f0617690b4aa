#include "import/design_profile.h"

#include <gtest/gtest.h>

#include "import/mapping_refused.h"

namespace ps::import {
namespace {

// Grades +2 % and -1 % meeting in a 40 m crest curve at 100; the curve
// lengths of the end points are never drawn.
GradeLine crest() { return GradeLine({{0, 10, 30}, {100, 12, 40}, {200, 11, 50}}); }

TEST(GradeLine, StraightGradesAndSymmetricParabolas) {
  const GradeLine g = crest();
  for (auto [x, z] : {std::pair{50.0, 11.0}, {80.0, 11.6}, {90.0, 11.7625}, {100.0, 11.85}, {110.0, 11.8625},
                      {120.0, 11.8}, {150.0, 11.5}, {200.0, 11.0}})
    EXPECT_DOUBLE_EQ(g.height(x), z) << x;
  EXPECT_DOUBLE_EQ(g.slope(50), 0.02);
  EXPECT_DOUBLE_EQ(g.slope(90), 0.0125);
  EXPECT_NEAR(g.slope(100), 0.005, 1e-15);
  EXPECT_DOUBLE_EQ(g.slope(150), -0.01);
  EXPECT_EQ(g.curveLength(0), 0.0);
  EXPECT_EQ(g.curveLength(2), 0.0);
}

// Past either end the neighbouring grade goes on: a road's end may lie a
// fraction of a millimetre beyond its last grade point.
TEST(GradeLine, ContinuesTheEndGrades) {
  const GradeLine g = crest();
  EXPECT_DOUBLE_EQ(g.height(-10), 9.8);
  EXPECT_DOUBLE_EQ(g.height(210), 10.9);
  EXPECT_EQ(GradeLine({{5, 7, 0}}).height(100), 7.0);
}

TEST(GradeLine, RefusesMissingOrUnorderedPoints) {
  EXPECT_THROW(GradeLine({}), MappingRefused);
  EXPECT_THROW(GradeLine({{0, 1, 0}, {0, 2, 0}}), MappingRefused);
  EXPECT_THROW(GradeLine({{0, 1, 0}, {10, 2, 0}, {5, 2, 0}}), MappingRefused);
}

TEST(GroundLine, InterpolatesWithinItsEndsOnly) {
  const GroundLine g({{0, 10}, {10, 12}, {10, 99}, {30, 11}});
  EXPECT_EQ(g.points().size(), 3u);  // the point that does not advance is dropped
  EXPECT_DOUBLE_EQ(*g.height(5), 11.0);
  EXPECT_DOUBLE_EQ(*g.height(10), 12.0);
  EXPECT_DOUBLE_EQ(*g.height(20), 11.5);
  // A millimetre's reach beyond the ends, for stations rounded there.
  EXPECT_EQ(*g.height(30.0009), 11.0);
  EXPECT_EQ(*g.height(-0.0009), 10.0);
  EXPECT_FALSE(g.height(30.001));
  EXPECT_FALSE(GroundLine({}).height(0));
}

}  // namespace
}  // namespace ps::import
