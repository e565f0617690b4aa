#include "geometry/chainage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::addStation;

// Five rows with a station interval of 20 m and a plus point at No.1+12.5.
StationTable fiveRows() {
  StationTable t;
  addStation(t, 0, 0.0, 0.0);
  addStation(t, 1, 0.0, 20.0);
  addStation(t, 1, 12.5, 12.5);
  addStation(t, 2, 0.0, 7.5);
  addStation(t, 3, 0.0, 20.0);
  return t;
}

TEST(Chainage, ListedRowsSumTheirIntervalsOthersAddTheirPlus) {
  const StationTable t = fiveRows();
  EXPECT_EQ(chainageOf(t, 0, 0.0), 0.0);
  EXPECT_EQ(chainageOf(t, 1, 0.0), 20.0);
  EXPECT_EQ(chainageOf(t, 1, 5.0), 25.0);
  EXPECT_EQ(chainageOf(t, 1, 12.5), 32.5);
  EXPECT_EQ(chainageOf(t, 1, 15.0), 35.0);
  EXPECT_EQ(chainageOf(t, 2, 10.0), 50.0);
  EXPECT_EQ(chainageOf(t, 3, 0.0), 60.0);
  EXPECT_EQ(chainageOf(t, 3, 5.0), 0.0);   // past the last row
  EXPECT_EQ(chainageOf(t, 4, 0.0), 0.0);
  EXPECT_EQ(chainageOf(t, -1, 3.0), 3.0);  // before the first row: the plus itself
}

TEST(Chainage, BaseRowOfTheScan) {
  const StationTable t = fiveRows();
  auto base = [&](int number, double plus) {
    const StationBase b = stationBaseOf(t, number, plus);
    return std::to_string(b.row) + (b.exact ? " exact " : " + ") + std::to_string(b.offset);
  };
  EXPECT_EQ(base(1, 12.5), "3 exact 0.000000");
  EXPECT_EQ(base(1, 15.0), "3 + 2.500000");
  EXPECT_EQ(base(2, 10.0), "4 + 10.000000");
  EXPECT_EQ(base(3, 0.0), "5 exact 0.000000");
  EXPECT_EQ(base(3, 5.0), "-1 + 0.000000");  // past the last row
  EXPECT_EQ(base(-1, 3.0), "0 + 3.000000");  // before the first row
}

TEST(Chainage, LastRowAndAMillimetrePastIt) {
  const StationTable t = fiveRows();
  EXPECT_EQ(chainageOf(t, 3, 0.0), 60.0);
  EXPECT_EQ(chainageOf(t, 3, 0.001), 0.0);
}

TEST(Chainage, EmptyTableGivesZeroForEveryQuery) {
  const StationTable t;
  EXPECT_EQ(chainageOf(t, 0, 0.0), 0.0);
  EXPECT_EQ(chainageOf(t, -1, 3.0), 0.0);
  EXPECT_EQ(chainageOf(t, 5, 7.5), 0.0);
}

TEST(Chainage, PlusMatchesARowOnlyWhenBitwiseEqual) {
  // The row's interval distance (5) differs from its plus (0.3), so a query
  // on the row and one beside it give visibly different chainages.
  StationTable t;
  addStation(t, 0, 0.0, 0.0);
  addStation(t, 0, 0.3, 5.0);
  EXPECT_EQ(chainageOf(t, 0, 0.3), 5.0);
  const double below = std::nextafter(0.3, 0.0);
  EXPECT_EQ(chainageOf(t, 0, below), below);    // between rows 1 and 2
  EXPECT_EQ(chainageOf(t, 0, 0.1 + 0.2), 0.0);  // one bit above: past the last row
}

TEST(Chainage, UnlistedWholeStationIsNotCounted) {
  StationTable t;
  addStation(t, 0, 0.0, 0.0);
  addStation(t, 2, 0.0, 40.0);
  EXPECT_EQ(chainageOf(t, 1, 0.0), 0.0);
  EXPECT_EQ(chainageOf(t, 1, 30.0), 30.0);
  EXPECT_EQ(chainageOf(t, 2, 0.0), 40.0);
}

}  // namespace
}  // namespace ps

namespace ps {
namespace {

TEST(Chainage, ASheetOfASetPlacesPointsBeyondItsEndsByStationArithmetic) {
  // The five rows shifted so that the sheet starts at chainage 5.
  StationTable t = fiveRows();
  t.intervalDistance[1] = 5.0;
  const Placement set{true, 20.0};
  // Between the first and the last row exactly as the scan places them.
  for (const auto& [n, p] : {std::pair{0, 0.0}, {1, 5.0}, {1, 12.5}, {2, 10.0}, {3, 0.0}})
    EXPECT_EQ(chainageOf(t, set, n, p), chainageOf(t, n, p)) << n << "+" << p;
  // Before No.0 from the first row, after No.3 from the last.
  EXPECT_EQ(chainageOf(t, set, -1, 3.0), 5.0 - 20.0 + 3.0);
  EXPECT_EQ(chainageOf(t, set, 0, -2.5), 2.5);
  EXPECT_EQ(chainageOf(t, set, 3, 5.0), 70.0);
  EXPECT_EQ(chainageOf(t, set, 7, 12.0), 65.0 + 80.0 + 12.0);
  // Station numbers as far apart as they go, without overflow.
  EXPECT_EQ(chainageOf(t, set, std::numeric_limits<int>::min(), 0.0), 5.0 + (-2147483648.0 * 20.0));
  // Without stations, or without station arithmetic, the scan's placement.
  EXPECT_EQ(chainageOf(StationTable{}, set, 4, 1.0), 0.0);
  EXPECT_EQ(chainageOf(t, Placement{}, 4, 0.0), 0.0);
  EXPECT_EQ(chainageOf(t, Placement{}, -1, 3.0), 3.0);
}

}  // namespace
}  // namespace ps
