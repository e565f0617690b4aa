#include "geometry/chainage.h"

namespace ps {

double chainageOf(const StationTable& stations, int number, double plus) {
  int base = -1;
  double offset = 0.0;
  for (int i = 1; i <= stations.count; ++i) {
    if (number > stations.number[i]) continue;
    if (number == stations.number[i]) {
      if (plus > stations.plus[i]) continue;
      if (plus == stations.plus[i]) {
        base = i;
        offset = 0.0;
        break;
      }
    }
    // Between row i - 1 and row i (slot 0 holds a plus of 0.0).
    base = i - 1;
    offset = plus - stations.plus[i - 1];
    break;
  }
  if (base < 0) return 0.0;  // past the last row

  // Always summed the same way, so that a chainage is the same double
  // wherever it is computed.
  double sum = 0.0;
  for (int i = 1; i <= base; ++i) sum += stations.intervalDistance[i];
  return sum + offset;
}

}  // namespace ps
