#include "landxml/partial_profile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ps::landxml {
namespace {

using Kind = GeometryElement::Kind;

// 1000 to 1657: a line, a clothoid curve (INF to 200 over 40 m, an arc,
// 200 to INF), a line; an equation at 1300; three superelevation runs.
Alignment road(double gradeFrom, double gradeTo) {
  Alignment a;
  a.staStart = 1000;
  a.length = 657;
  const auto element = [&](Kind kind, double start, double end, double r0, double r1, const char* s, const char* e) {
    GeometryElement g;
    g.kind = kind;
    g.start = start;
    g.end = end;
    g.length = end - start;
    g.radius = kind == Kind::curve ? r0 : 0.0;
    if (kind == Kind::spiral) {
      g.radiusStart = r0;
      g.radiusEnd = r1;
    }
    g.startName = s;
    g.endName = e;
    g.startPoint = g.endPoint = PlanPoint{1, 2};
    a.elements.push_back(g);
  };
  const double inf = INFINITY;
  element(Kind::line, 1000, 1070, 0, 0, "BP", "");
  element(Kind::spiral, 1070, 1110, inf, 200, "KA1-1", "KE1-1");
  element(Kind::curve, 1110, 1200, 200, 0, "KE1-1", "KE1-2");
  element(Kind::spiral, 1200, 1240, 200, inf, "KE1-2", "KA1-2");
  element(Kind::line, 1240, 1657, 0, 0, "", "EP");
  a.equations = {{1300, 1300, 1310}};
  a.superelevation = {{1040, 1070, 1240, 1260, 6, {}}, {1500, 1520, 1600, 1620, 4, {}}, {1630, 1640, 1650, 1655, 2, {}}};
  a.grade = {{gradeFrom, 10, 0}, {1400, 12, 100}, {gradeTo, 11, 0}};
  return a;
}

TEST(PartialProfile, TheStretchTheGradeLineCovers) {
  const ProfileCover whole = profileCover(road(1000.0004, 1657.0009));  // a rounding's reach
  EXPECT_EQ(whole.begin, 1000.0);
  EXPECT_EQ(whole.end, 1657.0);
  EXPECT_FALSE(whole.cutsBegin() || whole.cutsEnd());
  EXPECT_FALSE(profileCover(road(990, 1700)).cutsBegin());  // past the ends: the road's ends
  const ProfileCover late = profileCover(road(1085, 1657));
  EXPECT_EQ(late.begin, 1085.0);
  EXPECT_TRUE(late.cutsBegin() && !late.cutsEnd());
  const ProfileCover short62 = profileCover(road(1000, 1656.938));
  EXPECT_EQ(short62.end, 1656.938);
  EXPECT_EQ(short62.alignmentEnd, 1657.0);
  EXPECT_TRUE(short62.cutsEnd() && !short62.cutsBegin());
  Alignment bare = road(1100, 1500);
  bare.elements.clear();  // no CoordGeom: staStart and the length
  const ProfileCover fromLength = profileCover(bare);
  EXPECT_EQ(fromLength.alignmentBegin, 1000.0);
  EXPECT_EQ(fromLength.alignmentEnd, 1657.0);
  EXPECT_EQ(fromLength.begin, 1100.0);
}

TEST(PartialProfile, TheAlignmentTrimmedToIt) {
  Alignment a = road(1090, 1560);
  trimAlignment(a, 1090, 1560);
  EXPECT_EQ(a.staStart, 1090.0);
  EXPECT_EQ(a.length, 470.0);
  EXPECT_TRUE(a.cutAtStart && a.cutAtEnd);
  ASSERT_EQ(a.elements.size(), 4u);
  // The clothoid cut halfway: its curvature there is half the arc's.
  const GeometryElement& spiral = a.elements[0];
  EXPECT_EQ(spiral.start, 1090.0);
  EXPECT_EQ(spiral.length, 20.0);
  EXPECT_DOUBLE_EQ(spiral.radiusStart, 400.0);
  EXPECT_EQ(spiral.radiusEnd, 200.0);
  EXPECT_EQ(spiral.startName, "");
  EXPECT_FALSE(spiral.startPoint);
  EXPECT_EQ(spiral.endName, "KE1-1");
  EXPECT_TRUE(spiral.endPoint);
  const GeometryElement& last = a.elements.back();
  EXPECT_EQ(last.start, 1240.0);
  EXPECT_EQ(last.end, 1560.0);
  EXPECT_EQ(last.length, 320.0);
  EXPECT_EQ(last.endName, "");
  // Runs that reach into the stretch stay; the one beyond it goes. The
  // equation stays.
  ASSERT_EQ(a.superelevation.size(), 2u);
  EXPECT_EQ(a.superelevation[1].fullSuper, 1520.0);
  EXPECT_EQ(a.equations.size(), 1u);

  Alignment start = road(1000, 1600);
  trimAlignment(start, 1000, 1600);
  EXPECT_FALSE(start.cutAtStart);
  EXPECT_TRUE(start.cutAtEnd);
  EXPECT_EQ(start.elements.front().startName, "BP");
}

}  // namespace
}  // namespace ps::landxml
