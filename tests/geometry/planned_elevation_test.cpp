#include "geometry/planned_elevation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "dxf/number_format.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::addStations;
using test::addVip;

struct Evaluated {
  double elevation;
  double offset;
};

struct PlannedLine {
  PlannedLine() { addStations(data.stations, 0, 10); }  // No.0..No.10 at chainages 0..200
  Evaluated at(double x) {
    Evaluated r{-99.0, -99.0};
    r.offset = plannedElevation(data, lists, x, r.elevation);
    return r;
  }
  ProfileData data;
  VerticalProfileLists lists;
};

// Grades +2 % and -1 % meeting in a 40 m crest curve at chainage 100.
struct Crest : PlannedLine {
  Crest() {
    addVip(data.vips, 0, 0.0, 10.0, 25.0);  // first and last curve lengths are ignored
    addVip(data.vips, 5, 0.0, 12.0, 40.0);
    addVip(data.vips, 10, 0.0, 11.0, 30.0);
  }
};

std::string printed(double v) { return formatFixed(v, 5, 3); }

TEST(PlannedElevation, CrestExampleOnGradesAndCurve) {
  Crest c;
  // Values that are whole doubles come out exactly.
  for (auto [x, z] : {std::pair{-10.0, 10.0}, {50.0, 11.0}, {150.0, 11.5}, {200.0, 11.0}}) {
    const Evaluated r = c.at(x);
    EXPECT_EQ(r.elevation, z) << x;
    EXPECT_EQ(r.offset, 0.0) << x;
  }
  // The others to the last bits, and as they are printed: the decimal ties
  // 11.8625 and 0.0375 print by the side of the tie the doubles fall on.
  struct Row {
    double x, z, f;
    const char* zText;
    const char* fText;
  };
  for (const Row& row : {Row{80, 11.6, 0, "11.600", "0.000"}, Row{90, 11.7625, 0.0375, "11.763", "0.037"},
                         Row{100, 11.85, 0.15, "11.850", "0.150"}, Row{110, 11.8625, 0.0375, "11.862", "0.038"},
                         Row{120, 11.8, 0, "11.800", "0.000"}}) {
    const Evaluated r = c.at(row.x);
    EXPECT_DOUBLE_EQ(r.elevation, row.z) << row.x;
    EXPECT_NEAR(r.offset, row.f, 1e-12) << row.x;
    EXPECT_EQ(printed(r.elevation), row.zText) << row.x;
    EXPECT_EQ(printed(r.offset), row.fText) << row.x;
  }
  // No correction at the curve begin; none left over at its end.
  EXPECT_EQ(c.at(80).offset, 0.0);
  EXPECT_EQ(c.at(120).offset, 0.0);
}

TEST(PlannedElevation, PublishesGradesAndRadiiAndZeroesEndCurves) {
  Crest c;
  c.lists.grade.fill(7.0);
  c.lists.radius.fill(7.0);
  c.at(50);
  EXPECT_EQ(c.lists.grade[0], 0.0);
  EXPECT_EQ(c.lists.grade[1], 0.02);
  EXPECT_EQ(c.lists.grade[2], -0.01);
  EXPECT_EQ(c.lists.radius[1], 0.0);
  EXPECT_DOUBLE_EQ(c.lists.radius[2], -4000.0 / 3);
  EXPECT_EQ(formatFixed(c.lists.radius[2], 5, 0), "-1333");
  EXPECT_EQ(c.lists.radius[3], 0.0);
  EXPECT_EQ(c.data.vips.curveLength[1], 0.0);
  EXPECT_EQ(c.data.vips.curveLength[2], 40.0);
  EXPECT_EQ(c.data.vips.curveLength[3], 0.0);

  VerticalProfileLists fresh;
  computeGrades(c.data, fresh);
  EXPECT_EQ(fresh.grade[1], 0.02);
  EXPECT_EQ(fresh.grade[2], -0.01);
}

TEST(PlannedElevation, SagCurveHasPositiveRadiusAndNegativeOffset) {
  PlannedLine s;
  addVip(s.data.vips, 0, 0.0, 10.0, 0.0);
  addVip(s.data.vips, 5, 0.0, 8.0, 40.0);
  addVip(s.data.vips, 10, 0.0, 11.0, 0.0);
  const Evaluated r = s.at(100);
  EXPECT_DOUBLE_EQ(s.lists.radius[2], 800.0);
  EXPECT_DOUBLE_EQ(r.offset, -0.25);  // (g1 - g2) * L / 8
  EXPECT_DOUBLE_EQ(r.elevation, 8.25);
}

TEST(PlannedElevation, SharpBreakAndTwoVips) {
  PlannedLine b;
  addVip(b.data.vips, 0, 0.0, 10.0, 0.0);
  addVip(b.data.vips, 5, 0.0, 12.0, 0.0);
  addVip(b.data.vips, 10, 0.0, 11.0, 0.0);
  EXPECT_EQ(b.at(100).elevation, 12.0);
  EXPECT_EQ(b.at(100).offset, 0.0);
  EXPECT_EQ(b.at(150).elevation, 11.5);

  PlannedLine two;
  addVip(two.data.vips, 0, 0.0, 10.0, 30.0);
  addVip(two.data.vips, 5, 0.0, 12.0, 30.0);
  EXPECT_EQ(two.at(-20).elevation, 10.0);
  EXPECT_EQ(two.at(50).elevation, 11.0);
  EXPECT_EQ(two.at(100).elevation, 12.0);
  EXPECT_EQ(two.at(50).offset, 0.0);
  EXPECT_EQ(two.data.vips.curveLength[1], 0.0);
  EXPECT_EQ(two.data.vips.curveLength[2], 0.0);
}

TEST(PlannedElevation, BeyondTheLastVipTheLastGradeContinues) {
  Crest c;
  const Evaluated r = c.at(250);
  EXPECT_EQ(r.elevation, 10.5);
  EXPECT_EQ(r.offset, 0.0);
}

TEST(PlannedElevation, OneVipIsLevelAndNoVipIsZero) {
  PlannedLine one;
  addVip(one.data.vips, 3, 0.0, 7.5, 10.0);
  for (double x : {-5.0, 60.0, 100.0}) {
    EXPECT_EQ(one.at(x).elevation, 7.5) << x;
    EXPECT_EQ(one.at(x).offset, 0.0) << x;
  }
  EXPECT_EQ(one.data.vips.curveLength[1], 0.0);

  PlannedLine none;
  const Evaluated r = none.at(40);
  EXPECT_EQ(r.elevation, 0.0);
  EXPECT_EQ(r.offset, 0.0);
}

TEST(PlannedElevation, DegenerateGradesFlowThroughAsInfinities) {
  // Equal grades around a curve: infinite radius, the line stays straight.
  PlannedLine straight;
  addVip(straight.data.vips, 0, 0.0, 10.0, 0.0);
  addVip(straight.data.vips, 5, 0.0, 12.0, 40.0);
  addVip(straight.data.vips, 10, 0.0, 14.0, 0.0);
  const Evaluated r = straight.at(100);
  EXPECT_TRUE(std::isinf(straight.lists.radius[2]));
  EXPECT_EQ(r.elevation, 12.0);
  EXPECT_EQ(r.offset, 0.0);

  // Two VIPs at one chainage: an infinite grade; every query still returns.
  PlannedLine vertical;
  addVip(vertical.data.vips, 0, 0.0, 10.0, 0.0);
  addVip(vertical.data.vips, 5, 0.0, 12.0, 40.0);
  addVip(vertical.data.vips, 5, 0.0, 13.0, 0.0);
  for (double x : {-10.0, 50.0, 90.0, 100.0, 130.0}) vertical.at(x);
  EXPECT_TRUE(std::isinf(vertical.lists.grade[2]));
  EXPECT_EQ(vertical.at(50).elevation, 11.0);
}

}  // namespace
}  // namespace ps
