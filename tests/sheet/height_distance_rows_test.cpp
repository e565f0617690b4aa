#include <gtest/gtest.h>

#include "text/shift_jis.h"
#include "sheet/sheet.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::addStation;
using test::only;
using test::SheetFixture;

// Rows from the bottom: interval 1 (y 50), cumulative 2 (62), fill 3 (74),
// cut 4 (86), planned height 5 (98).
struct Rows : SheetFixture {
  Rows() {
    bandRows({sjis::kPlannedHeight, sjis::kCutHeight, sjis::kFillHeight, sjis::kCumulativeDistance,
              sjis::kIntervalDistance});
  }
  std::vector<std::string> texts() { return only(entities(), 'T'); }
};

TEST(HeightDistanceRows, PlannedHeightsReplaceTheInputAndGiveCutAndFill) {
  Rows f;
  test::addStations(f.data.stations, 0, 5);
  for (int i = 1; i <= 6; ++i) f.data.stations.plannedHeight[i] = 99.0;
  test::addVip(f.data.vips, 0, 0.0, 10.0, 0.0);
  test::addVip(f.data.vips, 5, 0.0, 12.0, 0.0);  // rising 2 %
  f.ground(0, 0.0, 10.0);   // at planned height: cut 0.000, no fill
  f.ground(1, 0.0, 11.0);   // cut
  f.ground(1, 1e-9, 50.0);  // next to a station, not on it: nothing
  f.ground(2, 0.0, 10.0);   // fill
  f.ground(2, 10.0, 20.0);  // between stations: nothing
  drawHeightDistanceRows(f.sheet());
  EXPECT_DOUBLE_EQ(f.sheet().plannedHeight[3], 10.8);
  const auto t = f.texts();
  ASSERT_EQ(t.size(), 6u + 2 + 1 + 6 + 6);
  EXPECT_EQ(std::vector<std::string>(t.begin(), t.begin() + 9),
            (std::vector<std::string>{"T 171.0,97.0 10.000", "T 191.0,97.0 10.400", "T 211.0,97.0 10.800",
                                      "T 231.0,97.0 11.200", "T 251.0,97.0 11.600", "T 271.0,97.0 12.000",
                                      "T 171.0,85.0 0.000", "T 191.0,85.0 0.600", "T 211.0,73.0 0.800"}));
  EXPECT_EQ(t[10], "T 191.0,59.0 20.000");  // 8 mm below the middle of the row
  EXPECT_EQ(t[20], "T 271.0,49.0 20.000");
}

TEST(HeightDistanceRows, DistancesFollowStationNumbersFromTheZeroStation) {
  Rows first;  // no No.0+0.0: the first station is the zero
  addStation(first.data.stations, 1, 0.0, 0.0);
  addStation(first.data.stations, 1, 10.0, 10.0);
  addStation(first.data.stations, 2, 0.0, 10.0);
  drawHeightDistanceRows(first.sheet());
  const auto a = first.texts();
  EXPECT_EQ(std::vector<std::string>(a.end() - 6, a.end()),
            (std::vector<std::string>{"T 171.0,59.0 0.000", "T 181.0,59.0 10.000", "T 191.0,59.0 20.000",
                                      "T 171.0,49.0 0.000", "T 181.0,49.0 10.000", "T 191.0,49.0 10.000"}));

  Rows before;  // stations before No.0+0.0; interval distances all zero
  addStation(before.data.stations, -1, 0.0, 0.0);
  addStation(before.data.stations, -1, 12.0, 0.0);
  addStation(before.data.stations, 0, 0.0, 0.0);
  drawHeightDistanceRows(before.sheet());
  const auto b = before.texts();
  EXPECT_EQ(std::vector<std::string>(b.end() - 6, b.end()),
            (std::vector<std::string>{"T 171.0,59.0 -20.000", "T 171.0,59.0 -8.000", "T 171.0,59.0 0.000",
                                      "T 171.0,49.0 12.000", "T 171.0,49.0 8.000", "T 171.0,49.0 0.000"}));
}

// The last eight texts: the cumulative and the interval distance row of a
// sheet of four stations.
std::vector<std::string> distances(Rows& f) {
  drawHeightDistanceRows(f.sheet());
  const auto t = f.texts();
  return std::vector<std::string>(t.end() - 8, t.end());
}

TEST(HeightDistanceRows, ASheetOfASetShowsTheDistanceAlongTheRoad) {
  // The road's first sheet, from No.-1+10.0, 10 m before its zero at No.0.
  Rows first;
  first.continuation.emplace();
  first.continuation->first = FirstStation{-1, 10.0, -10.0, 0.0};
  first.continuation->last = LastStation{1, 0.0, 20.0};
  addStation(first.data.stations, -1, 10.0, 0.0);
  addStation(first.data.stations, 0, 0.0, 10.0);
  addStation(first.data.stations, 0, 10.0, 10.0);
  addStation(first.data.stations, 1, 0.0, 10.0);
  EXPECT_EQ(distances(first),
            (std::vector<std::string>{"T 171.0,59.0 -10.000", "T 181.0,59.0 0.000", "T 191.0,59.0 10.000",
                                      "T 201.0,59.0 20.000", "T 171.0,49.0 10.000", "T 181.0,49.0 0.000",
                                      "T 191.0,49.0 10.000", "T 201.0,49.0 10.000"}));

  // A later sheet: from 300 m on, its first interval from the road's station
  // before it; the distance follows the chainage through a station equation
  // (No.16 back = No.20 ahead), which changes only the labels.
  Rows later;
  later.continuation.emplace();
  later.continuation->first = FirstStation{15, 0.0, 300.0, 20.0};
  addStation(later.data.stations, 15, 0.0, 0.0);
  addStation(later.data.stations, 16, 0.0, 20.0);
  addStation(later.data.stations, 20, 0.0, 20.0);
  addStation(later.data.stations, 20, 7.5, 7.5);
  EXPECT_EQ(distances(later),
            (std::vector<std::string>{"T 171.0,59.0 300.000", "T 191.0,59.0 320.000", "T 211.0,59.0 340.000",
                                      "T 218.5,59.0 347.500", "T 171.0,49.0 20.000", "T 191.0,49.0 20.000",
                                      "T 211.0,49.0 20.000", "T 218.5,49.0 7.500"}));

  // A sheet wholly before the zero: its last interval runs to the road's next
  // station, from the continuation (0 without it).
  Rows before;
  before.continuation.emplace();
  before.continuation->first = FirstStation{-4, 0.0, -80.0, 0.0};
  before.continuation->last = LastStation{-2, 0.0, 12.5};
  addStation(before.data.stations, -4, 0.0, 0.0);
  addStation(before.data.stations, -3, 0.0, 20.0);
  addStation(before.data.stations, -3, 10.0, 10.0);
  addStation(before.data.stations, -2, 0.0, 10.0);
  EXPECT_EQ(distances(before),
            (std::vector<std::string>{"T 171.0,59.0 -80.000", "T 191.0,59.0 -60.000", "T 201.0,59.0 -50.000",
                                      "T 211.0,59.0 -40.000", "T 171.0,49.0 20.000", "T 191.0,49.0 10.000",
                                      "T 201.0,49.0 10.000", "T 211.0,49.0 12.500"}));
  before.continuation->last->next.reset();
  EXPECT_EQ(distances(before).back(), "T 211.0,49.0 0.000");

  // Without FIRST, the zero station of a sheet on its own.
  Rows plain;
  plain.continuation.emplace();
  addStation(plain.data.stations, 0, 0.0, 0.0);
  addStation(plain.data.stations, 1, 0.0, 20.0);
  addStation(plain.data.stations, 1, 5.0, 5.0);
  addStation(plain.data.stations, 2, 0.0, 15.0);
  const auto intervals = distances(plain);
  EXPECT_EQ(std::vector<std::string>(intervals.begin() + 4, intervals.end()),
            (std::vector<std::string>{"T 171.0,49.0 0.000", "T 191.0,49.0 20.000", "T 196.0,49.0 5.000",
                                      "T 211.0,49.0 15.000"}));
}

TEST(HeightDistanceRows, NothingWithoutStationsAndRowZeroForMissingTitles) {
  Rows empty;
  empty.ground(0, 0.0, 10.0);
  drawHeightDistanceRows(empty.sheet());
  EXPECT_EQ(empty.memory.text(), "");

  SheetFixture missing;
  missing.bandRows({"x"});
  addStation(missing.data.stations, 0, 0.0, 0.0);
  drawHeightDistanceRows(missing.sheet());
  EXPECT_EQ(only(missing.entities(), 'T'),
            (std::vector<std::string>{"T 171.0,37.0 0.000", "T 171.0,35.0 0.000", "T 171.0,37.0 0.000"}));
}

}  // namespace
}  // namespace ps
