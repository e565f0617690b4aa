#include "import/curve_facts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ps::import {
namespace {

using K = landxml::GeometryElement::Kind;
constexpr double kPi = 3.14159265358979323846;

// A clothoid of length ls into radius r, as the handbooks give it: its end
// (x, y) from the series, its shift p and the distance k of the shifted
// circle's tangent point from the clothoid's start.
struct Clothoid {
  double x, y, p, k, tau;
};
Clothoid clothoid(double ls, double r) {
  const double t = ls / (2 * r);
  const double x = ls * (1 - t * t / 10 + std::pow(t, 4) / 216 - std::pow(t, 6) / 9360);
  const double y = ls * (t / 3 - std::pow(t, 3) / 42 + std::pow(t, 5) / 1320 - std::pow(t, 7) / 75600);
  return {x, y, y - r * (1 - std::cos(t)), x - r * std::sin(t), t};
}

// KA-KE-KE-KA: clothoids of ls1 and ls2 around an arc of R, turning `rot`.
std::vector<landxml::GeometryElement> group(double ls1, double arc, double ls2, double r, int rot) {
  return {{K::spiral, 0, ls1, ls1, rot, 0, INFINITY, r, "KA1-1", "KE1-1", {}, {}, {}},
          {K::curve, ls1, ls1 + arc, arc, rot, r, INFINITY, INFINITY, "KE1-1", "KE1-2", {}, {}, {}},
          {K::spiral, ls1 + arc, ls1 + arc + ls2, ls2, rot, 0, r, INFINITY, "KE1-2", "KA1-2", {}, {}, {}}};
}

CurveGroup wholeGroup(const std::vector<landxml::GeometryElement>& elements) {
  return findCurveGroups(elements).at(0);
}

// A plain arc: IA = L / R, TL = R tan(IA/2), SL = R (sec(IA/2) - 1).
TEST(CurveFacts, OfAnArc) {
  const std::vector<landxml::GeometryElement> arc = {
      {K::curve, 100, 400, 300, 1, 3000.0, INFINITY, INFINITY, "BC1", "EC1", {}, {}, {}}};
  const GroupFacts f = groupFacts(arc, wholeGroup(arc));
  const double ia = 300.0 / 3000;
  EXPECT_NEAR(f.intersectionAngle, ia * 180 / kPi, 1e-9);
  EXPECT_EQ(f.curveLength, 300.0);
  EXPECT_NEAR(f.tangentLength, 3000 * std::tan(ia / 2), 1e-6);
  EXPECT_NEAR(f.secantLength, 3000 / std::cos(ia / 2) - 3000, 1e-6);
}

// Clothoid, arc, clothoid: TL = (R + p) tan(IA/2) + k, SL = (R + p)
// sec(IA/2) - R, the same for either turning direction. An unsymmetric
// group's TL is the one to its start: (R + p1) tan(IA/2) + k1 - (p1 - p2) /
// sin IA.
TEST(CurveFacts, OfClothoidGroups) {
  for (int rot : {1, -1}) {
    const auto elements = group(100, 150, 100, 400, rot);
    const GroupFacts f = groupFacts(elements, wholeGroup(elements));
    const Clothoid c = clothoid(100, 400);
    const double ia = 2 * c.tau + 150.0 / 400;
    EXPECT_NEAR(f.intersectionAngle, ia * 180 / kPi, 1e-9);
    EXPECT_EQ(f.curveLength, 350.0);
    EXPECT_NEAR(f.tangentLength, (400 + c.p) * std::tan(ia / 2) + c.k, 1e-5);
    EXPECT_NEAR(f.secantLength, (400 + c.p) / std::cos(ia / 2) - 400, 1e-5);
  }
  const auto elements = group(200, 80, 90, 600, 1);
  const GroupFacts f = groupFacts(elements, wholeGroup(elements));
  const Clothoid c1 = clothoid(200, 600), c2 = clothoid(90, 600);
  const double ia = c1.tau + c2.tau + 80.0 / 600;
  EXPECT_NEAR(f.tangentLength, (600 + c1.p) * std::tan(ia / 2) + c1.k - (c1.p - c2.p) / std::sin(ia), 1e-5);

  // Two clothoids meeting at R = 300 without an arc: the nearest point to
  // the intersection point is where they meet, (x, y) of the first.
  auto pair = group(120, 0, 120, 300, -1);
  pair.erase(pair.begin() + 1);
  pair[1].start = 120, pair[1].end = 240;
  const GroupFacts g = groupFacts(pair, wholeGroup(pair));
  const Clothoid c = clothoid(120, 300);
  const double tl = (300 + c.p) * std::tan(c.tau) + c.k;
  EXPECT_NEAR(g.intersectionAngle, 2 * c.tau * 180 / kPi, 1e-9);
  EXPECT_NEAR(g.tangentLength, tl, 1e-5);
  EXPECT_NEAR(g.secantLength, std::hypot(tl - c.x, c.y), 1e-5);
}

// No intersection point ahead: a group that turns by nothing or by half a
// circle or more has IA, CL and no TL or SL.
TEST(CurveFacts, WithoutAnIntersectionPoint) {
  const std::vector<landxml::GeometryElement> loop = {
      {K::curve, 0, 400, 400, 1, 100.0, INFINITY, INFINITY, "BC1", "EC1", {}, {}, {}}};
  const GroupFacts f = groupFacts(loop, wholeGroup(loop));
  EXPECT_NEAR(f.intersectionAngle, 4.0 * 180 / kPi, 1e-9);
  EXPECT_EQ(f.tangentLength, 0.0);
  EXPECT_EQ(f.secantLength, 0.0);
}

}  // namespace
}  // namespace ps::import
