#include "import/sheet_breaks.h"

#include <gtest/gtest.h>

#include <cmath>

#include "import/mapping_refused.h"

namespace ps::import {
namespace {

using Kind = KeepTogether::Kind;

// The listed stations of a straight road from 0 to `length`.
std::vector<ListedStation> road(double length, double interval = 20.0) {
  landxml::Alignment a;
  a.length = length;
  a.interval = interval;
  a.elements.push_back({landxml::GeometryElement::Kind::line, 0.0, length, length, 0, 0.0, INFINITY, INFINITY, "", "", {}, {}, {}});
  return Stationing(a).stretches()[0].stations;
}

// The example's frame: 318 m of road at 1:1000.
const FrameRule kFrame{2, 1000, 340};
const auto kAnyCapacity = [](std::size_t, std::size_t) { return true; };

std::vector<std::pair<std::size_t, std::size_t>> spans(const SheetBreaks& b) {
  std::vector<std::pair<std::size_t, std::size_t>> out;
  for (const SheetSpan& s : b.sheets) out.emplace_back(s.first, s.last);
  return out;
}

// Sheets share their boundary station; each holds at most 30 stations, fits
// its frame and passes the capacity test, and the earlier sheets are filled
// first.
TEST(SheetBreaks, FillsSheetsWithinEveryLimit) {
  EXPECT_EQ(spans(breakIntoSheets(road(400), {}, kFrame, kAnyCapacity)),
            (std::vector<std::pair<std::size_t, std::size_t>>{{0, 15}, {15, 20}}));
  // The frame rule to the millimetre: 298 m fit at 1:1000 in 320 - 2 mm.
  EXPECT_TRUE((FrameRule{2, 1000, 320}.fits(298.0)));
  EXPECT_FALSE((FrameRule{2, 1000, 320}.fits(298.001)));
  // At 1:100000 only the count limits a sheet.
  EXPECT_EQ(spans(breakIntoSheets(road(1000), {}, FrameRule{2, 100000, 340}, kAnyCapacity)),
            (std::vector<std::pair<std::size_t, std::size_t>>{{0, 29}, {29, 50}}));
  auto fiveStations = [](std::size_t first, std::size_t last) { return last - first < 5; };
  EXPECT_EQ(spans(breakIntoSheets(road(200), {}, kFrame, fiveStations)),
            (std::vector<std::pair<std::size_t, std::size_t>>{{0, 4}, {4, 8}, {8, 10}}));
  EXPECT_EQ(sheetChainage(road(200), 4, 8), 80.0);
}

TEST(SheetBreaks, BreaksOutsideCurvesWhereTheyCan) {
  // A curve from 270 to 330: the first sheet ends at 260 instead of 300.
  SheetBreaks b = breakIntoSheets(road(400), {{Kind::verticalCurve, 270, 330}}, kFrame, kAnyCapacity);
  EXPECT_EQ(spans(b), (std::vector<std::pair<std::size_t, std::size_t>>{{0, 13}, {13, 20}}));
  EXPECT_EQ(b.verticalCuts + b.horizontalCuts, 0);
  // A break at a curve's end is outside it.
  b = breakIntoSheets(road(400), {{Kind::horizontalCurve, 100.0005, 300}}, kFrame, kAnyCapacity);
  EXPECT_EQ(spans(b), (std::vector<std::pair<std::size_t, std::size_t>>{{0, 15}, {15, 20}}));
  EXPECT_EQ(b.horizontalCuts, 0);
}

// Where every break cuts a curve, one cut is better than an extra sheet, and
// a vertical curve (drawn exactly in two parts) is cut before a horizontal
// one (whose superelevation ramps run past the sheet edge).
TEST(SheetBreaks, CutsAsFewCurvesAsItMust) {
  SheetBreaks b = breakIntoSheets(road(400), {{Kind::verticalCurve, 50, 380}}, kFrame, kAnyCapacity);
  EXPECT_EQ(spans(b), (std::vector<std::pair<std::size_t, std::size_t>>{{0, 15}, {15, 20}}));
  EXPECT_EQ(b.verticalCuts, 1);
  b = breakIntoSheets(road(400), {{Kind::verticalCurve, 60, 200}, {Kind::horizontalCurve, 190, 400}}, kFrame,
                      kAnyCapacity);
  EXPECT_EQ(spans(b), (std::vector<std::pair<std::size_t, std::size_t>>{{0, 9}, {9, 20}}));
  EXPECT_EQ(b.verticalCuts, 1);
  EXPECT_EQ(b.horizontalCuts, 0);
}

TEST(SheetBreaks, RefusesStationsThatFitOnNoSheet) {
  EXPECT_THROW(breakIntoSheets(road(800, 400), {}, kFrame, kAnyCapacity), MappingRefused);
  EXPECT_THROW(breakIntoSheets(road(100), {}, kFrame, [](std::size_t, std::size_t) { return false; }),
               MappingRefused);
  EXPECT_TRUE(breakIntoSheets(road(0.001), {}, kFrame, kAnyCapacity).sheets.size() == 1);
}

}  // namespace
}  // namespace ps::import
