#include "import/stationing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sample_roads.h"

namespace ps::import {
namespace {

landxml::Alignment straightRoad(double begin, double end) {
  landxml::Alignment a;
  a.staStart = begin;
  a.length = end - begin;
  a.elements.push_back({landxml::GeometryElement::Kind::line, begin, end, end - begin, 0, 0.0, INFINITY, INFINITY, "", "", {}, {}, {}});
  return a;
}

std::vector<StationLabel> labels(const StationStretch& s) {
  std::vector<StationLabel> out;
  for (const ListedStation& l : s.stations) out.push_back(l.label);
  return out;
}

// Every whole station, the curve ends and the road's ends; a key point
// within a millimetre of a whole station is listed as the whole station and
// keeps its name there.
TEST(Stationing, ListsWholeStationsKeyPointsAndEnds) {
  landxml::Alignment a = straightRoad(-5.0, 47.5);
  a.elements = {{landxml::GeometryElement::Kind::line, -5.0, 12.25, 17.25, 0, 0.0, INFINITY, INFINITY, "BP", "", {}, {}, {}},
                {landxml::GeometryElement::Kind::curve, 12.25, 20.0004, 7.7504, -1, 300.0, INFINITY, INFINITY, "BC1", "EC1", {}, {}, {}},
                {landxml::GeometryElement::Kind::line, 20.0004, 47.5, 27.4996, 0, 0.0, INFINITY, INFINITY, "", "EP", {}, {}, {}}};
  const Stationing s(a);
  ASSERT_EQ(s.stretches().size(), 1u);
  const StationStretch& st = s.stretches()[0];
  EXPECT_EQ(labels(st), (std::vector<StationLabel>{{-1, 15.0}, {0, 0.0}, {0, 12.25}, {1, 0.0}, {2, 0.0}, {2, 7.5}}));
  EXPECT_EQ(st.stations[0].names, std::vector<std::string>{"BP"});
  EXPECT_EQ(st.stations[2].names, std::vector<std::string>{"BC1"});
  EXPECT_EQ(st.stations[3].names, std::vector<std::string>{"EC1"});
  EXPECT_TRUE(st.stations[3].whole);
  EXPECT_EQ(st.stations[3].internal, 20.0);
  EXPECT_EQ(st.stations[3].lastMerged, 20.0004);
  EXPECT_EQ(st.stations[5].names, std::vector<std::string>{"EP"});
}

// Pluses are rounded to the millimetre, half away from zero, and a plus that
// rounds up to the interval is the next station; metres become micrometres
// by rounding, never by cutting off (4.004 m is 4003999.9999... um as a
// double).
TEST(Stationing, RoundsPlusesToTheMillimetre) {
  const Stationing s(straightRoad(0.0, 39.9994));  // EP 0.6 mm short of No.2
  EXPECT_EQ(labels(s.stretches()[0]), (std::vector<StationLabel>{{0, 0.0}, {1, 0.0}, {2, 0.0}}));
  EXPECT_EQ(s.stretches()[0].stations.back().names, std::vector<std::string>{"EP"});
  EXPECT_EQ(toMicrometres(4.004), 4004000);
  EXPECT_EQ(toMicrometres(-4.004), -4004000);
  EXPECT_EQ(Stationing(straightRoad(0.0, 24.004)).stretches()[0].stations.back().label, (StationLabel{1, 4.004}));
  const Stationing t(straightRoad(0.0, 30.0125));
  EXPECT_EQ(labels(t.stretches()[0]).back(), (StationLabel{1, 10.013}));
  EXPECT_EQ(t.labelOf(-1), (StationLabel{-1, 19.999999}));
  EXPECT_EQ(t.displayOf({-1, 19.999999}), -1);
}

// Two key points more than a millimetre apart that round onto one
// millimetre (the first merged into the whole station No.1) are one station
// with both names.
TEST(Stationing, KeyPointsRoundingOntoOneMillimetreAreOneStation) {
  landxml::Alignment a = straightRoad(0.0, 60.0);
  a.elements = {{landxml::GeometryElement::Kind::line, 0.0, 19.9991, 19.9991, 0, 0.0, INFINITY, INFINITY, "BP", "", {}, {}, {}},
                {landxml::GeometryElement::Kind::curve, 19.9991, 20.0003, 0.0012, -1, 300.0, INFINITY, INFINITY, "KA1", "KE1", {}, {}, {}},
                {landxml::GeometryElement::Kind::line, 20.0003, 60.0, 39.9997, 0, 0.0, INFINITY, INFINITY, "", "EP", {}, {}, {}}};
  const StationStretch st = Stationing(a).stretches()[0];
  EXPECT_EQ(labels(st), (std::vector<StationLabel>{{0, 0.0}, {1, 0.0}, {2, 0.0}, {3, 0.0}}));
  EXPECT_EQ(st.stations[1].names, (std::vector<std::string>{"KA1", "KE1"}));
}

// The distance along the road: from BP, on across equations, with the
// road's zero at No.0 when the road passes it before any equation.
TEST(Stationing, MeasuresTheDistanceAlongTheRoad) {
  const Stationing s(test::utf8Road());
  const StationStretch &before = s.stretches()[0], &after = s.stretches()[1];
  EXPECT_EQ(after.distance, 778089000);
  EXPECT_EQ(Stationing::distanceOf(after, after.stations[1]), 778089000 + 15000000);
  EXPECT_EQ(Stationing::distanceOf(before, before.stations.back()), after.distance);
  EXPECT_EQ(s.zeroDistance(), 0);
  EXPECT_EQ(s.length(), 1534855000);
  const Stationing late(straightRoad(-15.0, 40.0));
  EXPECT_EQ(late.zeroDistance(), 15000000);
  EXPECT_EQ(late.length(), 55000000);
  EXPECT_EQ(Stationing(test::sjisRoad()).zeroDistance(), 0);  // from No.50: the zero is BP
}

// A station equation ends one stretch and starts the next: the equation
// point is listed in both, with the numbering on either side.
TEST(Stationing, SplitsAtStationEquations) {
  const Stationing s(test::utf8Road());
  ASSERT_EQ(s.stretches().size(), 2u);
  const StationStretch &before = s.stretches()[0], &after = s.stretches()[1];
  EXPECT_EQ(before.stations.back().label, (StationLabel{38, 18.089}));
  EXPECT_EQ(after.stations.front().label, (StationLabel{39, 5.0}));
  EXPECT_EQ(after.stations[1].label, (StationLabel{40, 0.0}));
  EXPECT_DOUBLE_EQ(after.stations[1].internal, 793.089);
  EXPECT_EQ(before.stations.back().internal, after.stations.front().internal);
  // BC4 at internal 806.393 is No.40+13.304 after the equation.
  EXPECT_EQ(after.stations[2].label, (StationLabel{40, 13.304}));
  EXPECT_EQ(after.stations[2].names, std::vector<std::string>{"BC4"});
  // Every whole station of both stretches, and the seven groups' key points.
  std::size_t listed = before.stations.size() + after.stations.size();
  EXPECT_EQ(listed, 39u + 1 + 38u + 2 + 16u);
}

TEST(Stationing, RefusesIntervalsThatAreNotWholeMillimetres) {
  for (double interval : {0.0, -20.0, 20.0005, double{NAN}}) {
    landxml::Alignment a = straightRoad(0, 100);
    a.interval = interval;
    EXPECT_THROW(Stationing{a}, MappingRefused) << interval;
  }
  landxml::Alignment a = straightRoad(0, 100);
  a.interval = 0.5;
  EXPECT_EQ(Stationing(a).stretches()[0].stations.size(), 201u);
}

}  // namespace
}  // namespace ps::import
