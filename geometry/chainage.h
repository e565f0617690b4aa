// Station number and plus to chainage, by the interval distances of the
// station table.
#pragma once

#include "input/profile_data.h"

namespace ps {

// The chainage in metres of (number, plus). A point on a listed row gives the
// sum of the interval distances up to that row; any other point is placed
// after the last listed row before it; a point past the last row gives 0.0.
double chainageOf(const StationTable& stations, int number, double plus);

}  // namespace ps
