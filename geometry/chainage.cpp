#include "geometry/chainage.h"

namespace ps {

StationBase stationBaseOf(const StationTable& stations, int number, double plus) {
  for (int i = 1; i <= stations.count; ++i) {
    if (number > stations.number[i]) continue;
    if (number == stations.number[i]) {
      if (plus > stations.plus[i]) continue;
      if (plus == stations.plus[i]) return {i, 0.0, true};
    }
    // Between row i - 1 and row i (slot 0 holds a plus of 0.0).
    return {i - 1, plus - stations.plus[i - 1], false};
  }
  return {};  // past the last row
}

namespace {

// Always summed the same way, so that a chainage is the same double
// wherever it is computed.
double sumOfIntervals(const StationTable& stations, int rows) {
  double sum = 0.0;
  for (int i = 1; i <= rows; ++i) sum += stations.intervalDistance[i];
  return sum;
}

}  // namespace

double chainageOf(const StationTable& stations, int number, double plus) {
  const StationBase base = stationBaseOf(stations, number, plus);
  if (base.row < 0) return 0.0;
  return sumOfIntervals(stations, base.row) + base.offset;
}

double chainageOf(const StationTable& stations, const Placement& placement, int number, double plus) {
  const StationBase base = stationBaseOf(stations, number, plus);
  if (!placement.byStationArithmetic || stations.count < 1 || base.row > 0)
    return base.row < 0 ? 0.0 : sumOfIntervals(stations, base.row) + base.offset;
  const int end = base.row == 0 ? 1 : stations.count;
  // The difference of two station numbers is exact in 64 bits.
  const long long steps = static_cast<long long>(number) - stations.number[end];
  return sumOfIntervals(stations, end) + static_cast<double>(steps) * placement.stationInterval +
         (plus - stations.plus[end]);
}

}  // namespace ps
