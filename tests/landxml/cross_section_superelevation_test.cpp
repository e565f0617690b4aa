#include "landxml/cross_section_superelevation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace ps::landxml {
namespace {

using Side = SuperelevationRun::Side;

TEST(CrossSectionSuperelevation, TheCarriagewayByItsNameOrDescription) {
  EXPECT_TRUE(isCarriageway("Carriageway", ""));
  EXPECT_TRUE(isCarriageway("", "\xe9\x81\x93\xe8\xb7\xaf\xe9\x9d\xa2"));              // 道路面
  EXPECT_TRUE(isCarriageway("\xe8\xbb\x8a\xe9\x81\x93\xe9\x83\xa8", ""));              // 車道部
  EXPECT_TRUE(isCarriageway("\xe8\xa8\x88\xe7\x94\xbb\xe8\xb7\xaf\xe9\x9d\xa2", ""));  // 計画路面
  EXPECT_TRUE(isCarriageway("Surface", "ROADWAY"));
  EXPECT_TRUE(isCarriageway("asphalt pavement", ""));
  EXPECT_FALSE(isCarriageway("\xe6\xad\xa9\xe9\x81\x93\xe8\x88\x97\xe8\xa3\x85", ""));  // 歩道舗装: a sidewalk
  EXPECT_FALSE(isCarriageway("\xe8\xb7\xaf\xe8\x82\xa9", "\xe8\xb7\xaf\xe9\x9d\xa2"));  // 路肩 (路面)
  EXPECT_FALSE(isCarriageway("Shoulder pavement", ""));
  EXPECT_FALSE(isCarriageway("Slope", "cut"));
}

TEST(CrossSectionSuperelevation, TheCrossfallOfASide) {
  // From the point nearest the centre line to the farthest, whatever the
  // order of the points and the sign of the offsets.
  EXPECT_NEAR(*crossfallOf({{0.0, 82.12162605}, {-3.0, 82.06162605}}), -2.0, 1e-9);
  EXPECT_NEAR(*crossfallOf({{3.5, 10.28}, {1.75, 10.0}, {2.5, 11.0}}), 16.0, 1e-9);  // a median: starts at 1.75 m
  EXPECT_NEAR(*crossfallOf({{-1.0, 5.0}, {-4.5, 5.21}}), 6.0, 1e-9);
  EXPECT_FALSE(crossfallOf({{0.0, 1.0}, {0.005, 1.2}}));
  EXPECT_FALSE(crossfallOf({{0.0, 1.0}, {3.0, 1e8}}));  // a wall, not a carriageway
  EXPECT_FALSE(crossfallOf({}));
}

// A crowned road's sections at every change of crossfall and every 20 m,
// made by the rule of a design: normal crossfall -2 % both sides; the
// outside of a curve rises straight from -2 % at `begin` to +e at `full`,
// stays to `runoff`, and returns straight by `end`; the inside keeps -2 %
// until the outside reaches +2 %, then falls to -e at `full` (mirrored on
// the way back). Where two runs overlap, each side runs straight from the
// first run's level at its runoff to the second's at its full.
struct DesignRun {
  double begin, full, runoff, end, e;
  Side outside;
};

double ramp(double s, double s0, double c0, double s1, double c1) { return c0 + (c1 - c0) * (s - s0) / (s1 - s0); }

// The crossfall of one side of one run at s, and whether s lies in the run.
double runCrossfall(const DesignRun& r, Side side, double s) {
  constexpr double n = -2.0;
  const bool outside = side == r.outside;
  if (s <= r.begin || s >= r.end) return n;
  if (s >= r.full && s <= r.runoff) return outside ? r.e : -r.e;
  const bool up = s < r.full;
  const double a = up ? r.begin : r.end, b = up ? r.full : r.runoff;
  if (outside) return ramp(s, a, n, b, r.e);
  const double turn = a + (b - a) * 4.0 / (2.0 + r.e);  // where the outside passes +2 %
  if (up ? s <= turn : s >= turn) return n;
  return ramp(s, turn, n, b, -r.e);
}

std::vector<SectionCrossfall> designSections(const std::vector<DesignRun>& runs, double length) {
  std::set<double> stations;
  for (double s = 0; s <= length; s += 20) stations.insert(s);
  for (const DesignRun& r : runs)
    for (double s : {r.begin, r.full, r.runoff, r.end, r.begin + (r.full - r.begin) * 4.0 / (2.0 + r.e),
                     r.end - (r.end - r.runoff) * 4.0 / (2.0 + r.e)})
      if (s >= 0 && s <= length) stations.insert(s);
  std::vector<SectionCrossfall> sections;
  for (double s : stations) {
    SectionCrossfall section{s, -2.0, -2.0};
    for (std::size_t k = 0; k < runs.size(); ++k) {
      const DesignRun& r = runs[k];
      const bool overlapsNext = k + 1 < runs.size() && runs[k + 1].begin < r.end;
      if (overlapsNext && s > r.runoff && s < runs[k + 1].full) {
        const DesignRun& q = runs[k + 1];
        for (const Side side : {Side::left, Side::right})
          (side == Side::left ? section.left : section.right) =
              ramp(s, r.runoff, runCrossfall(r, side, r.runoff), q.full, runCrossfall(q, side, q.full));
        break;
      }
      const bool overlappedByPrevious = k > 0 && runs[k - 1].end > r.begin && s < r.full;
      if (overlappedByPrevious || s <= r.begin || s >= r.end) continue;
      section.left = runCrossfall(r, Side::left, s);
      section.right = runCrossfall(r, Side::right, s);
    }
    sections.push_back(section);
  }
  return sections;
}

void expectRun(const SuperelevationRun& got, double begin, double full, double runoff, double end, double e,
               Side raised) {
  EXPECT_NEAR(got.beginRunoff, begin, 1e-6);
  EXPECT_NEAR(got.fullSuper, full, 1e-6);
  EXPECT_NEAR(got.runoff, runoff, 1e-6);
  EXPECT_NEAR(got.endRunout, end, 1e-6);
  EXPECT_EQ(got.fullSuperelev, e);
  EXPECT_EQ(got.raised, raised);
}

TEST(CrossSectionSuperelevation, RunsReadBackFromTheSections) {
  const std::vector<DesignRun> design{{105.5, 145.5, 300.25, 340.25, 8.0, Side::right},
                                      {420.0, 470.0, 530.0, 580.0, 2.0, Side::left},
                                      {650.0, 700.0, 760.0, 810.0, 5.5, Side::left}};
  const std::vector<SuperelevationRun> runs = CrossfallProfile(designSections(design, 1000)).runs();
  ASSERT_EQ(runs.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const DesignRun& d = design[i];
    expectRun(runs[i], d.begin, d.full, d.runoff, d.end, d.e, d.outside);
  }
}

TEST(CrossSectionSuperelevation, OverlappingRampsAndARoadThatStartsInACurve) {
  // A left-hand curve whose run-out overlaps the run-off of a right-hand
  // one: the right side falls straight from +6 % at 200 to -4 % at 260 and
  // leaves its normal crossfall (-2 %) at 248; the left side rises from
  // -6 % to +4 % and crosses -2 % at 224.
  const std::vector<DesignRun> design{{100, 140, 200, 240, 6.0, Side::right}, {220, 260, 320, 360, 4.0, Side::left}};
  const std::vector<SuperelevationRun> runs = CrossfallProfile(designSections(design, 500)).runs();
  ASSERT_EQ(runs.size(), 2u);
  expectRun(runs[0], 100, 140, 200, 248, 6.0, Side::right);
  expectRun(runs[1], 224, 260, 320, 360, 4.0, Side::left);

  // Superelevated from the first section on: no ramp before it.
  std::vector<SectionCrossfall> start = designSections({{-40, 0, 60, 100, 7.0, Side::left}}, 300);
  const std::vector<SuperelevationRun> atStart = CrossfallProfile(start).runs();
  ASSERT_EQ(atStart.size(), 1u);
  expectRun(atStart[0], 0, 0, 60, 100, 7.0, Side::left);
  // Heights to the millimetre: crossfalls off by hundredths of a percent.
  for (SectionCrossfall& s : start) {
    *s.left += s.station == 60 ? 0.03 : -0.02;
    *s.right += 0.03;
  }
  const std::vector<SuperelevationRun> noisy = CrossfallProfile(start).runs();
  ASSERT_EQ(noisy.size(), 1u);
  expectRun(noisy[0], 0, 0, 60, 100, 7.0, Side::left);
}

TEST(CrossSectionSuperelevation, TheHigherSideAtAStation) {
  const CrossfallProfile profile({{0, -2.0, -2.0}, {40, 6.0, -6.0}, {80, 6.0, -6.0}, {100, std::nullopt, -2.0}});
  EXPECT_NEAR(*profile.higherAt(20), 2.0, 1e-12);
  EXPECT_NEAR(*profile.higherAt(60), 6.0, 1e-12);
  EXPECT_NEAR(*profile.higherAt(90), -4.0, 1e-12);  // the left side's sections end at 80
  EXPECT_FALSE(profile.higherAt(-1));
  EXPECT_FALSE(profile.higherAt(101));
  EXPECT_TRUE(CrossfallProfile({}).empty());
}

}  // namespace
}  // namespace ps::landxml
