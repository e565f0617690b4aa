#include "import/sheet_breaks.h"

#include <gtest/gtest.h>

#include <cmath>

#include "import/mapping_refused.h"

namespace ps::import {
namespace {

using Spans = std::vector<std::pair<std::size_t, std::size_t>>;

// The listed stations of a straight road from 0 to `length`, with a plus
// station at each of `pluses`.
// A curve runs from each of `pluses` to the next.
std::vector<ListedStation> road(double length, double interval = 20.0, std::vector<double> pluses = {}) {
  using K = landxml::GeometryElement::Kind;
  landxml::Alignment a;
  a.length = length;
  a.interval = interval;
  double at = 0.0;
  for (std::size_t k = 0; k <= pluses.size(); ++k) {
    const double to = k < pluses.size() ? pluses[k] : length;
    const bool curve = k > 0 && k < pluses.size();
    a.elements.push_back({curve ? K::curve : K::line, at, to, to - at, curve ? 1 : 0, curve ? 100.0 : 0.0, INFINITY,
                          INFINITY, "", "", {}, {}, {}});
    at = to;
  }
  return Stationing(a).stretches()[0].stations;
}

Spans spans(const SheetBreaks& b) {
  Spans out;
  for (const SheetSpan& s : b.sheets) out.emplace_back(s.first, s.last);
  return out;
}

// A sheet fits while it holds at most `stations` stations and `metres` of road.
auto within(std::size_t stations, double metres, const std::vector<ListedStation>& listed) {
  return [=](std::size_t first, std::size_t last) {
    return last - first + 1 <= stations && sheetChainage(listed, first, last) <= metres ? SheetFit::fits
                                                                                        : SheetFit::beyondLimits;
  };
}

// Each sheet is the longest that fits and ends at a whole station, so that
// every sheet but the last is full; sheets share their boundary station.
TEST(SheetBreaks, TakesTheLongestSheetEndingAtAWholeStation) {
  const auto plain = road(400);
  EXPECT_EQ(spans(breakIntoSheets(plain, within(30, 310.5, plain))), (Spans{{0, 15}, {15, 20}}));
  EXPECT_EQ(spans(breakIntoSheets(plain, within(5, 1e9, plain))), (Spans{{0, 4}, {4, 8}, {8, 12}, {12, 16}, {16, 20}}));
  // Plus stations count against the stations of a sheet but are not where it
  // ends: the whole station before them is.
  const auto keyPoints = road(200, 20, {75, 79, 81});
  EXPECT_EQ(spans(breakIntoSheets(keyPoints, within(6, 1e9, keyPoints))), (Spans{{0, 3}, {3, 8}, {8, 13}}));
  // The road's end ends a sheet wherever it lies.
  const auto odd = road(107.5);
  EXPECT_EQ(spans(breakIntoSheets(odd, within(30, 100, odd))), (Spans{{0, 5}, {5, 6}}));
  EXPECT_EQ(sheetChainage(plain, 4, 8), 80.0);
  EXPECT_TRUE(breakIntoSheets(road(0.001), within(30, 1, road(0.001))).sheets.size() == 1);
}

// Where no whole station fits, the sheet ends at the farthest plus station
// that does: 50 m of road per sheet, whole stations 100 m apart.
TEST(SheetBreaks, EndsAtAPlusStationWhereNoWholeOneFits) {
  const auto sparse = road(200, 100, {40, 80, 120, 160});
  EXPECT_EQ(spans(breakIntoSheets(sparse, within(30, 50, sparse))),
            (Spans{{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}}));
}

// A sheet ends before its profile view would overflow; a single interval
// that no view holds is a sheet of its own, and the breaks say which.
TEST(SheetBreaks, BreaksBeforeTheViewOverflowsAndNamesWhatCannotFit) {
  const auto plain = road(200);
  auto view = [&](std::size_t first, std::size_t last) {
    if (first <= 6 && last >= 7) return SheetFit::beyondView;  // No.6 to No.7 holds a cliff
    return last - first <= 4 ? SheetFit::fits : SheetFit::beyondView;
  };
  const SheetBreaks b = breakIntoSheets(plain, view);
  EXPECT_EQ(spans(b), (Spans{{0, 4}, {4, 6}, {6, 7}, {7, 10}}));
  EXPECT_EQ(b.beyondView, (std::vector<std::size_t>{6}));
}

TEST(SheetBreaks, RefusesStationsThatFitOnNoSheet) {
  const auto far = road(800, 400);
  try {
    breakIntoSheets(far, within(30, 318, far));
    ADD_FAILURE();
  } catch (const MappingRefused& refused) {
    EXPECT_EQ(refused.kind, MappingRefused::Kind::noSheetFits);
    EXPECT_EQ(refused.at, (StationLabel{0, 0.0}));
  }
}

}  // namespace
}  // namespace ps::import
