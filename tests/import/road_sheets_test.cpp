#include "import/road_sheets.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/chainage.h"
#include "geometry/planned_elevation.h"
#include "sample_roads.h"
#include "import/sheet_profile_data.h"
#include "input/profile_data_reader.h"
#include "input/profile_data_writer.h"

namespace ps::import {
namespace {

using K = landxml::GeometryElement::Kind;

// 200 m at a 10 m interval: a left-hand arc from 100 to 160 with its
// superelevation, a 100 m crest curve at 100 (+2 %, -1 %), and frames of
// 90 m: every break cuts a curve.
landxml::Alignment testRoad() {
  landxml::Alignment a;
  a.length = 200;
  a.interval = 10;
  a.elements = {{K::line, 0, 100, 100, 0, 0.0, INFINITY, INFINITY, "BP", "", {}, {}, {}},
                {K::curve, 100, 160, 60, -1, 300.0, INFINITY, INFINITY, "BC1", "EC1", {}, {}, {}},
                {K::line, 160, 200, 40, 0, 0.0, INFINITY, INFINITY, "", "EP", {}, {}, {}}};
  a.grade = {{0, 10, 0}, {100, 12, 100}, {200, 11, 0}};
  a.ground = {{0, 10.5}, {33, 11.5}, {35.5, 11.6}, {100, 11}, {200, 12}};
  a.superelevation = {{80, 110, 150, 180, 5, {}}};
  return a;
}

SheetSettings testSettings() {
  SheetSettings s;
  s.frame = {2, 1000, 112};
  s.verticalScale = 100;
  s.viewHeight = 30;
  s.elevationInterval = 1;
  s.bandTextHeight = 2;
  return s;
}

SheetSettings exampleSettings() {
  SheetSettings s;
  s.frame = {2, 1000, 340};
  return s;
}

template <typename Row>
std::vector<StationLabel> positions(const std::vector<Row>& rows) {
  std::vector<StationLabel> out;
  for (const Row& r : rows) out.push_back(r.at);
  return out;
}

TEST(RoadSheets, MapsEachTableOfEachSheet) {
  const RoadSheets r = mapAlignment(testRoad(), testSettings());
  ASSERT_EQ(r.sheets.size(), 3u);
  EXPECT_EQ(r.verticalCuts, 1);  // at No.9: the only break where both curves are not cut costs as much
  EXPECT_EQ(r.horizontalCuts, 1);
  EXPECT_EQ(r.interval, 10);

  const SheetTables& one = r.sheets[0];
  ASSERT_EQ(one.stations.size(), 10u);
  EXPECT_EQ(one.stations[0].at, (StationLabel{0, 0}));
  EXPECT_EQ(one.stations[0].intervalDistance, 0.0);
  EXPECT_EQ(one.stations[9].at, (StationLabel{9, 0}));
  EXPECT_EQ(one.stations[9].intervalDistance, 10.0);
  EXPECT_EQ(one.stations[9].plannedHeight, 11.56);
  // The cut crest curve: its part from 50 to 90, a parabola whose VIP lies
  // on the tangent at 90, halfway.
  ASSERT_EQ(one.vips.size(), 3u);
  EXPECT_EQ(positions(one.vips), (std::vector<StationLabel>{{0, 0}, {7, 0}, {9, 0}}));
  EXPECT_DOUBLE_EQ(one.vips[1].height, 11.4);
  EXPECT_EQ(one.vips[1].curveLength, 40.0);
  EXPECT_DOUBLE_EQ(one.vips[2].height, 11.56);
  EXPECT_TRUE(one.curves.empty());
  EXPECT_TRUE(one.superelevation.empty());
  EXPECT_FALSE(one.runoffLength);
  // Ground at every station, and the line's own points that keep 3 m
  // (2 mm of text and 1 mm at 1:1000) from their neighbours.
  EXPECT_EQ(one.ground.size(), 11u);
  EXPECT_EQ(one.ground[4].at, (StationLabel{3, 3.0}));
  EXPECT_EQ(one.ground[4].height, 11.5);
  EXPECT_EQ(one.ground[5].at, (StationLabel{4, 0}));
  EXPECT_EQ(one.datum, 10.0);
  EXPECT_EQ(positions(one.annotations), (std::vector<StationLabel>{{0, 0}}));
  EXPECT_EQ(one.annotations[0].text, "BP");

  const SheetTables& two = r.sheets[1];
  EXPECT_EQ(two.stations.front().at, (StationLabel{9, 0}));
  EXPECT_EQ(two.stations.back().at, (StationLabel{18, 0}));
  EXPECT_EQ(positions(two.vips), (std::vector<StationLabel>{{9, 0}, {12, 0}, {18, 0}}));
  EXPECT_DOUBLE_EQ(two.vips[1].height, 11.8);
  EXPECT_EQ(two.vips[1].curveLength, 60.0);
  EXPECT_DOUBLE_EQ(two.vips[2].height, 11.2);
  ASSERT_EQ(two.curves.size(), 1u);
  EXPECT_EQ(two.curves[0].from, (StationLabel{10, 0}));
  EXPECT_EQ(two.curves[0].to, (StationLabel{16, 0}));
  EXPECT_EQ(two.curves[0].radius, 300.0);
  ASSERT_EQ(two.superelevation.size(), 1u);
  EXPECT_EQ(two.superelevation[0].start, (StationLabel{11, 0}));
  EXPECT_EQ(two.superelevation[0].end, (StationLabel{15, 0}));
  EXPECT_EQ(two.superelevation[0].superelevation, 5.0);
  EXPECT_EQ(two.runoffLength, 30.0);
  EXPECT_EQ(positions(two.annotations), (std::vector<StationLabel>{{10, 0}, {16, 0}}));

  const SheetTables& three = r.sheets[2];
  EXPECT_EQ(positions(three.stations), (std::vector<StationLabel>{{18, 0}, {19, 0}, {20, 0}}));
  EXPECT_EQ(positions(three.vips), (std::vector<StationLabel>{{18, 0}, {20, 0}}));
  EXPECT_EQ(three.annotations[0].text, "EP");
  for (const SheetTables& t : r.sheets) EXPECT_TRUE(t.warnings.empty());
}

// A curve cut by a sheet break keeps its rows on both sheets, clipped to
// each; a sheet cut inside the full superelevation ends it at its edge.
TEST(RoadSheets, ClipsCurveAndSuperelevationRowsToTheSheet) {
  landxml::Alignment a = testRoad();
  a.superelevation = {{70, 95, 170, 190, 5, {}}, {185, 190, 195, 199, 3, {}}};
  const RoadSheets r = mapAlignment(a, testSettings());
  ASSERT_EQ(r.sheets.size(), 3u);
  const SheetTables& two = r.sheets[1];
  ASSERT_EQ(two.superelevation.size(), 1u);
  EXPECT_EQ(two.stations.back().at, (StationLabel{16, 0}));
  EXPECT_EQ(two.superelevation[0].start, (StationLabel{9, 5.0}));
  EXPECT_EQ(two.superelevation[0].end, (StationLabel{16, 0}));
  ASSERT_EQ(r.warnings.size(), 1u);
  EXPECT_EQ(r.warnings[0].kind, MappingWarning::Kind::superelevationUnpaired);
  EXPECT_EQ(r.warnings[0].at, (StationLabel{19, 0}));
}

TEST(RoadSheets, DatumAndHeightWarnings) {
  landxml::Alignment a = testRoad();
  a.ground = {{0, 9.2}, {200, 12}};
  SheetSettings s = testSettings();
  s.viewHeight = 20;  // 2 m of height
  const RoadSheets r = mapAlignment(a, s);
  // From the ground at 9.2: the view reaches 11.0, the grade line 11.56.
  EXPECT_EQ(r.sheets[0].datum, 9.0);
  ASSERT_EQ(r.sheets[0].warnings.size(), 1u);
  EXPECT_EQ(r.sheets[0].warnings[0].kind, MappingWarning::Kind::aboveProfileView);
  EXPECT_EQ(r.sheets[0].warnings[0].value, 11.56);
  // From the ground at 10.46 to the crest VIP at 11.8: within 10 to 12.
  EXPECT_EQ(r.sheets[1].datum, 10.0);
  EXPECT_TRUE(r.sheets[1].warnings.empty());
}

// A grade point every 2 m: no sheet gets more than the 49 VIPs the
// generator holds, and the grade line is still the design's.
TEST(RoadSheets, KeepsTheGeneratorsCapacities) {
  landxml::Alignment a = testRoad();
  a.grade.clear();
  for (int k = 0; k <= 100; ++k) a.grade.push_back({2.0 * k, 10 + (k % 2) * 0.1, 0});
  const RoadSheets r = mapAlignment(a, exampleSettings());
  ASSERT_GE(r.sheets.size(), 3u);
  const GradeLine design(a.grade);
  for (const SheetTables& t : r.sheets) {
    EXPECT_LE(t.vips.size(), 49u);
    for (const VipRow& v : t.vips) EXPECT_NEAR(v.height, design.height(v.at.number * 10 + v.at.plus), 1e-9);
  }
}

TEST(RoadSheets, RefusesAGradeLineShortOfTheRoad) {
  landxml::Alignment a = testRoad();
  a.grade.back().station = 199.9985;
  EXPECT_THROW(mapAlignment(a, testSettings()), MappingRefused);
  a.grade.back().station = 199.9995;  // a rounding's reach
  EXPECT_EQ(mapAlignment(a, testSettings()).sheets.size(), 3u);
  a.grade.front().station = 0.002;
  try {
    mapAlignment(a, testSettings());
    ADD_FAILURE();
  } catch (const MappingRefused& refused) {
    EXPECT_EQ(refused.kind, MappingRefused::Kind::profileShort);
    EXPECT_EQ(refused.at, (StationLabel{0, 0.0}));
  }
}

// The grade line the generator computes from each sheet's own tables, as
// written and read back, is the design's, to the micrometre, all along.
TEST(RoadSheets, EverySheetDrawsTheDesignGradeLine) {
  for (const landxml::Alignment& a : {test::utf8Road(), test::sjisRoad(), testRoad()}) {
    const RoadSheets r = mapAlignment(a, a.interval == 10 ? testSettings() : exampleSettings());
    const GradeLine design(a.grade);
    HeaderValues header;
    header.horizontalScale = 1000, header.verticalScale = 100, header.elevationInterval = 1;
    for (const SheetTables& t : r.sheets) {
      auto written = profileDataOf(t, header, a.interval, [](std::string_view s) { return std::string(s); });
      auto data = std::make_unique<ProfileData>();
      const std::string text = writeProfileData(*written);
      Scanner in(text, "Tesmo.dat");
      readProfileData(in, *data);
      normaliseVipTable(data->vips);
      const VerticalProfile profile = verticalProfileOf(*data);
      const StationTable& st = data->stations;
      const double first = st.number[1] * a.interval + st.plus[1];
      const double begin = a.equations.empty() || first < a.equations[0].ahead
                               ? first
                               : first - a.equations[0].ahead + a.equations[0].internal;
      const double length = chainageOf(st, st.number[st.count], st.plus[st.count]);
      for (double c = 0; c <= length; c += 0.5)
        ASSERT_NEAR(plannedElevation(data->vips, profile, c).elevation, design.height(begin + c), 1e-6) << first << "+" << c;
      for (int k = 1; k <= st.count; ++k) {
        const double c = chainageOf(st, st.number[k], st.plus[k]);
        EXPECT_NEAR(plannedElevation(data->vips, profile, c).elevation, design.height(begin + c), 1e-6);
      }
    }
  }
}

}  // namespace
}  // namespace ps::import
