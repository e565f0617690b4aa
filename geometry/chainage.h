// Station number and plus to chainage, by the interval distances of the
// station table.
#pragma once

#include "input/profile_data.h"

namespace ps {

// Where the scan of the station table places (number, plus): on listed row
// `row` (exact), or `offset` metres beyond row `row` (row 0: before the
// first row, whose predecessor has plus 0.0). `row` is -1 when the scan
// passes the last row.
struct StationBase {
  int row = -1;
  double offset = 0.0;
  bool exact = false;
};
StationBase stationBaseOf(const StationTable& stations, int number, double plus);

// The chainage in metres of (number, plus). A point on a listed row gives the
// sum of the interval distances up to that row; any other point is placed
// after the last listed row before it; a point past the last row gives 0.0.
double chainageOf(const StationTable& stations, int number, double plus);

// How a point before the first listed row or after the last is placed.
// Without station arithmetic, as chainageOf places it. With it (a sheet that
// continues a road), from the nearest end row: chainage of that row +
// (number - its number) x station interval + (plus - its plus). Points
// between the first and the last row are placed as chainageOf places them.
struct Placement {
  bool byStationArithmetic = false;
  double stationInterval = 0.0;
};
double chainageOf(const StationTable& stations, const Placement& placement, int number, double plus);

}  // namespace ps
