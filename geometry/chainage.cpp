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

double chainageOf(const StationTable& stations, int number, double plus) {
  const StationBase base = stationBaseOf(stations, number, plus);
  if (base.row < 0) return 0.0;

  // Always summed the same way, so that a chainage is the same double
  // wherever it is computed.
  double sum = 0.0;
  for (int i = 1; i <= base.row; ++i) sum += stations.intervalDistance[i];
  return sum + base.offset;
}

}  // namespace ps
