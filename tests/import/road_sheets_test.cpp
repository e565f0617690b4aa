#include "import/road_sheets.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/chainage.h"
#include "geometry/planned_elevation.h"
#include "import/mapping_refused.h"
#include "import/sheet_profile_data.h"
#include "input/profile_data_reader.h"
#include "input/profile_data_writer.h"
#include "sample_roads.h"

namespace ps::import {
namespace {

using K = landxml::GeometryElement::Kind;

// 200 m at a 10 m interval: a left-hand arc (R 300) from 100 to 160 with
// its superelevation (ramps from 80 and to 180), a 100 m crest curve at 100
// (+2 %, -1 %).
landxml::Alignment testRoad() {
  landxml::Alignment a;
  a.name = "Test road";
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

// 88 m of road per sheet at 1:1000 (20 mm margin, 1 mm for the last
// station's labels), rows of 10 mm, a view of 3 m.
SheetSettings testSettings() {
  SheetSettings s;
  s.frame = {2, 1000, 111};
  s.rowHeight = 10;
  s.verticalScale = 100;
  s.viewHeight = 30;
  s.elevationInterval = 1;
  s.runOffLength = 15;
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

// Every table of every sheet: the design's own VIPs, curves and transitions
// at their own places, also beyond the sheet's ends, and what the
// continuation file says of the road around the sheet.
TEST(RoadSheets, MapsEachSheetAsPartOfItsRoad) {
  const RoadSheets r = mapAlignment(testRoad(), testSettings());
  ASSERT_EQ(r.sheets.size(), 3u);
  EXPECT_EQ(r.interval, 10);
  EXPECT_EQ(r.length, 200000000);
  EXPECT_TRUE(r.warnings.empty());

  const SheetTables& one = r.sheets[0];
  ASSERT_EQ(one.stations.size(), 9u);
  EXPECT_EQ(one.stations[8].at, (StationLabel{8, 0}));
  EXPECT_EQ(one.stations[8].intervalDistance, 10.0);
  // The crest curve reaches the sheet from No.5 on: its VIP and the one
  // after it are rows, and only the first VIP is on the sheet.
  EXPECT_EQ(positions(one.vips), (std::vector<StationLabel>{{0, 0}, {10, 0}, {20, 0}}));
  EXPECT_EQ(one.vips[1].curveLength, 100.0);
  EXPECT_EQ(one.vips[1].height, 12.0);
  EXPECT_EQ(one.vipsOnSheet, 1u);
  // The superelevation's ramp begins where the sheet ends: nothing of the
  // curve is on it.
  EXPECT_TRUE(one.curves.empty());
  EXPECT_EQ(one.datum, 10.0);
  EXPECT_EQ(one.distance, 0);
  EXPECT_EQ(one.previous, 0);
  EXPECT_EQ(one.next, 10000000);

  const SheetTables& two = r.sheets[1];
  EXPECT_EQ(two.stations.front().at, (StationLabel{8, 0}));
  EXPECT_EQ(two.stations.back().at, (StationLabel{16, 0}));
  ASSERT_EQ(two.curves.size(), 1u);
  EXPECT_EQ(two.curves[0].from, (StationLabel{10, 0}));
  EXPECT_EQ(two.curves[0].to, (StationLabel{16, 0}));
  EXPECT_EQ(two.curves[0].radius, 300.0);
  ASSERT_EQ(two.superelevation.size(), 1u);
  EXPECT_EQ(two.superelevation[0].start, (StationLabel{11, 0}));
  EXPECT_EQ(two.superelevation[0].end, (StationLabel{15, 0}));
  EXPECT_EQ(two.superelevation[0].superelevation, 5.0);
  ASSERT_EQ(two.transitions.size(), 1u);
  EXPECT_EQ(two.transitions[0].runOff, 30.0);
  EXPECT_EQ(two.transitions[0].runOut, 30.0);
  EXPECT_FALSE(two.transitions[0].raised);
  ASSERT_EQ(two.curveFacts.size(), 1u);
  EXPECT_EQ(two.curveFacts[0].ip, 1);
  EXPECT_NEAR(two.curveFacts[0].intersectionAngle, 0.2 * 180 / 3.14159265358979323846, 1e-6);
  EXPECT_EQ(two.curveFacts[0].curveLength, 60.0);
  EXPECT_NEAR(two.curveFacts[0].tangentLength, 300 * std::tan(0.1), 1e-6);
  EXPECT_NEAR(two.curveFacts[0].secantLength, 300 / std::cos(0.1) - 300, 1e-6);
  EXPECT_EQ(two.distance, 80000000);
  EXPECT_EQ(two.previous, 10000000);
  EXPECT_EQ(positions(two.annotations), (std::vector<StationLabel>{{10, 0}, {16, 0}}));
  EXPECT_EQ(two.datum, 11.0);

  // The run-out reaches the last sheet: the curve's rows are there too,
  // before the sheet's start.
  const SheetTables& three = r.sheets[2];
  EXPECT_EQ(positions(three.stations), (std::vector<StationLabel>{{16, 0}, {17, 0}, {18, 0}, {19, 0}, {20, 0}}));
  ASSERT_EQ(three.curves.size(), 1u);
  EXPECT_EQ(three.curves[0].from, (StationLabel{10, 0}));
  EXPECT_EQ(three.superelevation[0].start, (StationLabel{11, 0}));
  EXPECT_EQ(three.curvesOnSheet, 0u);
  // The crest curve ends at No.15: the VIP at its top is the first row, and
  // carries no curve there.
  EXPECT_EQ(positions(three.vips), (std::vector<StationLabel>{{10, 0}, {20, 0}}));
  EXPECT_EQ(three.vips[0].curveLength, 0.0);
  EXPECT_FALSE(three.next);
  EXPECT_EQ(three.annotations.back().text, "EP");
  for (const SheetTables& t : r.sheets) EXPECT_TRUE(t.warnings.empty());
}

// Transitions whose ramps overlap are joined, and only where both rows are
// there: a sheet that a joined transition crosses gets the row of the curve
// before it too, though that curve's own ramps end before the sheet.
TEST(RoadSheets, KeepsTheRowsOfJoinedTransitionsTogether) {
  landxml::Alignment a = testRoad();
  a.length = 300;
  a.elements = {{K::line, 0, 60, 60, 0, 0.0, INFINITY, INFINITY, "BP", "", {}, {}, {}},
                {K::curve, 60, 120, 60, -1, 300.0, INFINITY, INFINITY, "BC1", "EC1", {}, {}, {}},
                {K::line, 120, 180, 60, 0, 0.0, INFINITY, INFINITY, "", "", {}, {}, {}},
                {K::curve, 180, 230, 50, 1, 400.0, INFINITY, INFINITY, "BC2", "EC2", {}, {}, {}},
                {K::line, 230, 300, 70, 0, 0.0, INFINITY, INFINITY, "", "EP", {}, {}, {}}};
  a.grade = {{0, 10, 0}, {300, 11, 0}};
  a.ground = {{0, 10}, {300, 11}};
  a.superelevation = {{40, 70, 110, 150, 5, {}}, {145, 190, 220, 250, 4, {}}};
  const RoadSheets r = mapAlignment(a, testSettings());
  ASSERT_EQ(r.sheets.size(), 4u);
  const SheetTables& three = r.sheets[2];
  ASSERT_EQ(three.stations.front().at, (StationLabel{16, 0}));
  ASSERT_EQ(three.curves.size(), 2u);
  EXPECT_EQ(three.curves[0].from, (StationLabel{6, 0}));
  EXPECT_EQ(three.curveFacts[0].ip, 1);
  EXPECT_EQ(three.curveFacts[1].ip, 2);
  EXPECT_EQ(three.curvesOnSheet, 1u);
  // Beyond the join, the first curve's row is left out again.
  ASSERT_EQ(r.sheets[3].curves.size(), 1u);
  EXPECT_EQ(r.sheets[3].curveFacts[0].ip, 2);
}

// A backward station equation: the display stations No.6 to No.7+10 occur
// twice. Each stretch has its own sheets and labels; the distance runs on
// across the equation, whose point both sheets label back=ahead.
TEST(RoadSheets, BreaksAtABackwardEquationAndRunsTheDistanceOn) {
  landxml::Alignment a;
  a.name = "Lap";
  a.length = 300;
  a.interval = 20;
  a.elements = {{K::line, 0, 300, 300, 0, 0.0, INFINITY, INFINITY, "BP", "EP", {}, {}, {}}};
  a.equations = {{150, 150, 120}};
  a.grade = {{0, 10, 0}, {300, 12, 0}};
  a.ground = {{0, 10}, {300, 12}};
  SheetSettings s = exampleSettings();
  s.stationsPerSheet = 5;
  const RoadSheets r = mapAlignment(a, s);
  // 0..80, 80..150 (the equation), then No.6 (internal 150) on.
  ASSERT_EQ(r.sheets.size(), 4u);
  const SheetTables &before = r.sheets[1], &after = r.sheets[2];
  EXPECT_EQ(before.stations.back().at, (StationLabel{7, 10}));
  EXPECT_EQ(after.stations.front().at, (StationLabel{6, 0}));
  EXPECT_EQ(before.annotations.back().text, "No.7+10.000=No.6+0.000");
  EXPECT_EQ(after.annotations.front().text, "No.7+10.000=No.6+0.000");
  EXPECT_EQ(after.distance, 150000000);
  EXPECT_EQ(after.previous, 10000000);  // from No.7, the station before the equation
  EXPECT_EQ(before.next, 20000000);     // to No.7 after it
  EXPECT_EQ(r.sheets[3].stations.front().at, (StationLabel{10, 0}));
  EXPECT_EQ(r.sheets[3].stations.back().at, (StationLabel{13, 10}));
  EXPECT_EQ(r.sheets[3].distance + 70000000, r.length);
  EXPECT_EQ(r.length, 300000000);
}

// The distance counts from No.0 where the road passes it before any
// equation; stations before it are negative.
TEST(RoadSheets, CountsTheDistanceFromNoZero) {
  landxml::Alignment a;
  a.staStart = -30;
  a.length = 130;
  a.interval = 20;
  a.elements = {{K::line, -30, 100, 130, 0, 0.0, INFINITY, INFINITY, "BP", "EP", {}, {}, {}}};
  a.grade = {{-30, 10, 0}, {100, 11, 0}};
  SheetSettings s = exampleSettings();
  s.stationsPerSheet = 3;
  const RoadSheets r = mapAlignment(a, s);
  ASSERT_EQ(r.sheets.size(), 4u);
  EXPECT_EQ(r.sheets[0].stations.front().at, (StationLabel{-2, 10}));
  EXPECT_EQ(r.sheets[0].distance, -30000000);
  EXPECT_EQ(r.sheets[1].distance, 0);
  EXPECT_EQ(r.sheets[1].previous, 20000000);
}

// A grade climbing 8 %: 3 m of view hold about 25 m of road, and the sheets
// end before it overflows; a cliff of the ground that no view holds is an
// interval of its own, named.
TEST(RoadSheets, BreaksBeforeTheProfileViewOverflows) {
  landxml::Alignment a = testRoad();
  a.superelevation.clear();
  a.grade = {{0, 10, 0}, {200, 26, 0}};
  a.ground = {{0, 10}, {200, 26}};
  const RoadSheets r = mapAlignment(a, testSettings());
  EXPECT_GE(r.sheets.size(), 8u);
  for (const SheetTables& t : r.sheets) {
    for (const GroundRow& g : t.ground) EXPECT_LE((g.height - t.datum) * 1000 / 100, 30.0);
    EXPECT_TRUE(t.warnings.empty());
  }
  a.ground = {{0, 10}, {151, 10}, {155, 15}, {159, 10}, {200, 10}};
  a.grade = {{0, 10, 0}, {200, 12, 0}};
  const RoadSheets spike = mapAlignment(a, testSettings());
  ASSERT_EQ(spike.warnings.size(), 2u);
  EXPECT_EQ(spike.warnings[0].kind, MappingWarning::Kind::beyondView);
  EXPECT_EQ(spike.warnings[0].at, (StationLabel{15, 0}));
  EXPECT_EQ(spike.warnings[0].to, (StationLabel{16, 0}));
  EXPECT_EQ(spike.warnings[0].value, 5.0);
  EXPECT_EQ(spike.warnings[1].kind, MappingWarning::Kind::noSuperelevation);
  EXPECT_EQ(spike.sheets[2].stations.front().at, (StationLabel{15, 0}));
  EXPECT_EQ(spike.sheets[2].stations.back().at, (StationLabel{16, 0}));
}

// A grade point every 2 m: no sheet gets more than the 49 VIPs the
// generator holds, and the grade line is still the design's. A grade point
// 0.4 mm after a sheet's start is a VIP row of its own, at its own place,
// on that sheet and (beyond its end) on the one before.
TEST(RoadSheets, KeepsTheGeneratorsCapacities) {
  landxml::Alignment a = testRoad();
  a.grade.clear();
  for (int k = 0; k <= 100; ++k) a.grade.push_back({2.0 * k, 10 + (k % 2) * 0.1, 0});
  const RoadSheets r = mapAlignment(a, exampleSettings());
  ASSERT_GE(r.sheets.size(), 3u);
  for (const SheetTables& t : r.sheets) EXPECT_LE(t.vips.size(), 49u);

  a.grade = {{0, 10, 0}, {80.0004, 11.6, 0}, {200, 11, 0}};
  const RoadSheets near = mapAlignment(a, testSettings());
  ASSERT_EQ(near.sheets[1].stations.front().at, (StationLabel{8, 0}));
  EXPECT_EQ(positions(near.sheets[1].vips), (std::vector<StationLabel>{{0, 0}, {8, 0.0004}, {20, 0}}));
  EXPECT_EQ(near.sheets[1].vipsOnSheet, 1u);
  EXPECT_EQ(positions(near.sheets[0].vips), (std::vector<StationLabel>{{0, 0}, {8, 0.0004}}));
  EXPECT_EQ(near.sheets[0].vipsOnSheet, 1u);
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

// More than 9,999 sheets: refused before any sheet is mapped, by the bound
// of the road's length where that already says so, else by the count.
TEST(RoadSheets, RefusesMoreSheetsThanASetHolds) {
  landxml::Alignment a;
  a.length = 1e7;  // 10,000 km
  a.interval = 20;
  a.elements = {{K::line, 0, 1e7, 1e7, 0, 0.0, INFINITY, INFINITY, "BP", "EP", {}, {}, {}}};
  a.grade = {{0, 10, 0}, {1e7, 10, 0}};
  try {
    mapAlignment(a, exampleSettings());
    ADD_FAILURE();
  } catch (const MappingRefused& refused) {
    EXPECT_EQ(refused.kind, MappingRefused::Kind::tooManySheets);
    EXPECT_TRUE(refused.atLeast);
    EXPECT_EQ(refused.count, 31546);  // 10,000 km at most 317 m a sheet
  }
  // Beyond what the importer lists (a million stations), still the count.
  a.length = 1e9;
  a.elements = {{K::line, 0, 1e9, 1e9, 0, 0.0, INFINITY, INFINITY, "BP", "EP", {}, {}, {}}};
  a.grade = {{0, 10, 0}, {1e9, 10, 0}};
  try {
    mapAlignment(a, exampleSettings());
    ADD_FAILURE();
  } catch (const MappingRefused& refused) {
    EXPECT_EQ(refused.kind, MappingRefused::Kind::tooManySheets);
    EXPECT_EQ(refused.count, 3154575);  // 1,000,000 km at most 317 m a sheet
  }
  // 9,990 intervals and 20 key points between No.5 and No.6, two stations
  // a sheet: 10,010 sheets, of which the whole stations alone tell 9,990.
  a.length = 199800;
  a.elements = {{K::line, 0, 105, 105, 0, 0.0, INFINITY, INFINITY, "BP", "", {}, {}, {}}};
  for (int k = 0; k < 20; ++k)
    a.elements.push_back({K::curve, 105.0 + k, 106.0 + k, 1, 1, 500.0, INFINITY, INFINITY, "", "", {}, {}, {}});
  a.elements.push_back({K::line, 125, 199800, 199675, 0, 0.0, INFINITY, INFINITY, "", "EP", {}, {}, {}});
  a.grade = {{0, 10, 0}, {199800, 10, 0}};
  SheetSettings two = exampleSettings();
  two.stationsPerSheet = 2;
  EXPECT_EQ(fewestSheets(a, two), 9990);
  try {
    mapAlignment(a, two);
    ADD_FAILURE();
  } catch (const MappingRefused& refused) {
    EXPECT_EQ(refused.kind, MappingRefused::Kind::tooManySheets);
    EXPECT_FALSE(refused.atLeast);
    EXPECT_EQ(refused.count, 10010);
  }
}

// The grade line the generator computes from each sheet's own tables, as
// written and read back and placed as a sheet of a set places them, is the
// design's, to the micrometre, all along.
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
      const Placement placement{true, a.interval};
      const VerticalProfile profile = verticalProfileOf(*data, placement);
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
