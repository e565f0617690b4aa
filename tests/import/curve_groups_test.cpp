#include "import/curve_groups.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sample_roads.h"

namespace ps::import {
namespace {

using K = landxml::GeometryElement::Kind;

landxml::GeometryElement line(double s0, double s1) { return {K::line, s0, s1, s1 - s0, 0, 0.0, INFINITY, INFINITY, "", "", {}, {}, {}}; }
landxml::GeometryElement arc(double s0, double s1, int rot, double r) {
  return {K::curve, s0, s1, s1 - s0, rot, r, INFINITY, INFINITY, "", "", {}, {}, {}};
}
landxml::GeometryElement spiral(double s0, double s1, int rot, double r0, double r1) {
  return {K::spiral, s0, s1, s1 - s0, rot, 0.0, r0, r1, "", "", {}, {}, {}};
}

// Clothoid-arc-clothoid is one group; a line or a change of direction ends
// a group; arcs of several radii stay one group with the smallest radius.
TEST(CurveGroups, GroupsElementsTurningOneWay) {
  const std::vector<landxml::GeometryElement> elements = {
      line(0, 10),          spiral(10, 20, 1, INFINITY, 300), arc(20, 40, 1, 300), spiral(40, 50, 1, 300, INFINITY),
      arc(50, 60, -1, 200), arc(60, 70, -1, 150),             line(70, 80),        spiral(80, 90, 1, INFINITY, INFINITY),
      spiral(90, 95, -1, INFINITY, 250), spiral(95, 100, -1, 250, INFINITY)};
  const auto groups = findCurveGroups(elements);
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].begin, 10);
  EXPECT_EQ(groups[0].end, 50);
  EXPECT_EQ(groups[0].radius, 300);
  EXPECT_FALSE(groups[0].compound);
  EXPECT_EQ(groups[1].begin, 50);  // a reverse curve starts where the last one ends
  EXPECT_EQ(groups[1].radius, 150);
  EXPECT_TRUE(groups[1].compound);
  // A clothoid with no finite radius is no curve; clothoids alone take their
  // smallest end radius.
  EXPECT_EQ(groups[2].begin, 90);
  EXPECT_EQ(groups[2].radius, 250);
}

// A road turning left (ccw) has its outer side, the raised one, on the
// right: a positive radius. Turning right (cw): negative.
TEST(CurveGroups, SignsTheRadiusByTheTurningDirection) {
  const auto groups = findCurveGroups(test::utf8Road().elements);
  ASSERT_EQ(groups.size(), 7u);
  const double expected[] = {800, 300, -600, 600, -300, -150, -300};
  for (std::size_t k = 0; k < groups.size(); ++k) EXPECT_EQ(signedRadius(groups[k]), expected[k]) << k;
}

// Each group takes the run that overlaps it most; a run on a straight, or a
// second run on a group, is left over.
TEST(CurveGroups, PairsSuperelevationRunsByOverlap) {
  std::vector<CurveGroup> groups = findCurveGroups({line(0, 100), arc(100, 200, 1, 300), line(200, 300),
                                                    arc(300, 400, -1, 500), line(400, 600)});
  const std::vector<landxml::SuperelevationRun> runs = {{310, 330, 370, 390, 4, {}},   // group 2
                                               {90, 110, 190, 210, 6, {}},    // group 1
                                               {500, 510, 520, 530, 2, {}},   // on the straight
                                               {180, 195, 250, 260, 3, {}}};  // group 1 again, less overlap
  EXPECT_EQ(pairSuperelevation(groups, runs), (std::vector<std::size_t>{2, 3}));
  EXPECT_EQ(groups[0].superelevation, 1u);
  EXPECT_EQ(groups[1].superelevation, 0u);

  auto utf8 = test::utf8Road();
  auto utf8Groups = findCurveGroups(utf8.elements);
  EXPECT_TRUE(pairSuperelevation(utf8Groups, utf8.superelevation).empty());
  for (std::size_t k = 0; k < utf8Groups.size(); ++k) EXPECT_EQ(utf8Groups[k].superelevation, k);
}

}  // namespace
}  // namespace ps::import
