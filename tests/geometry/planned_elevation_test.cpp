#include "geometry/planned_elevation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "text/number_format.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::addVip;

// Stations No.0..No.10 at chainages 0..200 and the VIPs given as
// (station number, height, curve length).
struct Line {
  Line(std::initializer_list<std::tuple<int, double, double>> vips) {
    test::addStations(data.stations, 0, 10);
    for (auto [number, height, length] : vips) addVip(data.vips, number, 0.0, height, length);
    normaliseVipTable(data.vips);
    profile = verticalProfileOf(data);
  }
  double z(double x) {
    const PlannedPoint p = plannedElevation(data.vips, profile, x);
    elevation = p.elevation;
    offset = p.offset;
    return elevation;
  }
  double f(double x) { return (z(x), offset); }
  ProfileData data;
  VerticalProfile profile;
  double elevation = -99.0, offset = -99.0;
};

// Grades +2 % and -1 % meeting in a 40 m crest curve at chainage 100; the
// curve lengths given for the first and last VIP are ignored.
Line crest() { return Line{{0, 10.0, 25.0}, {5, 12.0, 40.0}, {10, 11.0, 30.0}}; }

TEST(PlannedElevation, CrestExampleOnGradesAndCurve) {
  Line c = crest();
  // Values that are whole doubles come out exactly, and so does every offset
  // outside the curve and at its ends.
  for (auto [x, z] : {std::pair{-10.0, 10.0}, {50.0, 11.0}, {150.0, 11.5}, {200.0, 11.0}}) {
    EXPECT_EQ(c.z(x), z) << x;
    EXPECT_EQ(c.offset, 0.0) << x;
  }
  EXPECT_EQ(c.f(80), 0.0);  // no correction at the curve begin
  EXPECT_EQ(c.f(120), 0.0);
  // The others to the last bits, and as printed: the decimal ties 11.8625
  // and 0.0375 print by the side of the tie the doubles fall on.
  struct Row {
    double x, z, f;
    const char *zText, *fText;
  };
  for (const Row& r : {Row{80, 11.6, 0, "11.600", "0.000"}, Row{90, 11.7625, 0.0375, "11.763", "0.037"},
                       Row{100, 11.85, 0.15, "11.850", "0.150"}, Row{110, 11.8625, 0.0375, "11.862", "0.038"},
                       Row{120, 11.8, 0, "11.800", "0.000"}}) {
    EXPECT_DOUBLE_EQ(c.z(r.x), r.z) << r.x;
    EXPECT_NEAR(c.offset, r.f, 1e-12) << r.x;
    EXPECT_EQ(formatFixed(c.elevation, 5, 3), r.zText) << r.x;
    EXPECT_EQ(formatFixed(c.offset, 5, 3), r.fText) << r.x;
  }
}

TEST(PlannedElevation, ProfileHoldsChainagesGradesRadiiAndNoEndCurves) {
  const Line c = crest();
  const VerticalProfile& v = c.profile;
  EXPECT_EQ(v.count, 3);
  EXPECT_EQ(v.chainage[2], 100.0);
  EXPECT_EQ(v.begin[2], 80.0);
  EXPECT_EQ(v.end[2], 120.0);
  EXPECT_EQ(v.begin[1], v.end[1]);  // the ends carry no curve
  EXPECT_EQ(v.begin[3], v.end[3]);
  EXPECT_EQ(v.grade[0], 0.0);
  EXPECT_EQ(v.grade[1], 0.02);
  EXPECT_EQ(v.grade[2], -0.01);
  EXPECT_EQ(v.radius[1], 0.0);
  EXPECT_DOUBLE_EQ(v.radius[2], -4000.0 / 3);
  EXPECT_EQ(formatFixed(v.radius[2], 5, 0), "-1333");
  EXPECT_EQ(v.radius[3], 0.0);
  EXPECT_EQ(c.data.vips.curveLength[1], 0.0);
  EXPECT_EQ(c.data.vips.curveLength[2], 40.0);
  EXPECT_EQ(c.data.vips.curveLength[3], 0.0);
}

TEST(PlannedElevation, SagCurveHasPositiveRadiusAndNegativeOffset) {
  Line s{{0, 10.0, 0.0}, {5, 8.0, 40.0}, {10, 11.0, 0.0}};
  EXPECT_DOUBLE_EQ(s.z(100), 8.25);
  EXPECT_DOUBLE_EQ(s.offset, -0.25);  // (g1 - g2) * L / 8
  EXPECT_DOUBLE_EQ(s.profile.radius[2], 800.0);
}

TEST(PlannedElevation, SharpBreakTwoVipsAndBeyondTheLastVip) {
  Line sharp{{0, 10.0, 0.0}, {5, 12.0, 0.0}, {10, 11.0, 0.0}};
  EXPECT_EQ(sharp.z(100), 12.0);
  EXPECT_EQ(sharp.offset, 0.0);
  EXPECT_EQ(sharp.z(150), 11.5);

  Line two{{0, 10.0, 30.0}, {5, 12.0, 30.0}};
  EXPECT_EQ(two.z(-20), 10.0);
  EXPECT_EQ(two.z(50), 11.0);
  EXPECT_EQ(two.offset, 0.0);
  EXPECT_EQ(two.z(100), 12.0);
  EXPECT_EQ(two.data.vips.curveLength[1] + two.data.vips.curveLength[2], 0.0);

  // Past the last VIP the last grade goes on.
  Line c = crest();
  EXPECT_EQ(c.z(250), 10.5);
  EXPECT_EQ(c.offset, 0.0);
}

TEST(PlannedElevation, OneVipIsLevelAndNoVipIsZero) {
  Line one{{3, 7.5, 10.0}};
  for (double x : {-5.0, 60.0, 100.0}) {
    EXPECT_EQ(one.z(x), 7.5) << x;
    EXPECT_EQ(one.offset, 0.0) << x;
  }
  EXPECT_EQ(one.data.vips.curveLength[1], 0.0);

  Line none{};
  EXPECT_EQ(none.z(40), 0.0);
  EXPECT_EQ(none.offset, 0.0);
}

TEST(PlannedElevation, DegenerateGradesFlowThroughAsInfinities) {
  // Equal grades around a curve: an infinite radius, the line stays straight.
  Line straight{{0, 10.0, 0.0}, {5, 12.0, 40.0}, {10, 14.0, 0.0}};
  EXPECT_EQ(straight.z(100), 12.0);
  EXPECT_EQ(straight.offset, 0.0);
  EXPECT_TRUE(std::isinf(straight.profile.radius[2]));

  // Two VIPs at one chainage: an infinite grade; every query still returns.
  Line vertical{{0, 10.0, 0.0}, {5, 12.0, 40.0}, {5, 13.0, 0.0}};
  for (double x : {-10.0, 90.0, 100.0, 130.0}) vertical.z(x);
  EXPECT_TRUE(std::isinf(vertical.profile.grade[2]));
  EXPECT_EQ(vertical.z(50), 11.0);
}

}  // namespace
}  // namespace ps
