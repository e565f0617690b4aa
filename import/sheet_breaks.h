// Where a stretch of listed stations is broken into sheets.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "import/stationing.h"

namespace ps::import {

// The most listed stations one sheet holds.
inline constexpr std::size_t kStationsPerSheet = 30;

// Whether what a sheet draws at its right end stays within the band data
// cell: chainage 0 sits 20 mm right of the cell's left edge, and the cell is
// (data length - row gap) long.
struct FrameRule {
  double rowGap = 0.0;      // header value 2
  double scale = 1.0;       // header value 3
  double dataLength = 0.0;  // header value 5
  // `reach` mm drawn right of the point at the given chainage.
  bool fits(double chainage, double reach = 0.0) const {
    return 20 + chainage * 1000 / scale + reach <= dataLength - rowGap;
  }
};

// How a candidate sheet meets the limits: within them all, within all but
// the profile view, or beyond one that no sheet may exceed (stations,
// frame, the generator's capacities).
enum class SheetFit { fits, beyondView, beyondLimits };

// One sheet: the indices of its first and last listed station.
struct SheetSpan {
  std::size_t first = 0;
  std::size_t last = 0;
};

struct SheetBreaks {
  std::vector<SheetSpan> sheets;
  // Station intervals (first index of each) that no profile view holds:
  // each is a sheet of its own, drawn beyond its view.
  std::vector<std::size_t> beyondView;
};

// The chainages a sheet starting at `first` gives the stations after it, as
// the generator sums the interval distances.
double sheetChainage(const std::vector<ListedStation>& stations, std::size_t first, std::size_t last);

// Breaks the stations of one stretch into sheets that share their boundary
// stations, each as long as `fit` allows: from each sheet's first station it
// takes the farthest last station that fits and is a whole station (or the
// stretch's end); where no whole station fits, the farthest station that
// does. `fit` must be monotone: a sheet that does not fit does not fit when
// it is longer. Where not even the next station fits the view, that one
// interval is a sheet; where it is beyond the other limits, MappingRefused
// (noSheetFits) names the interval's first station.
SheetBreaks breakIntoSheets(const std::vector<ListedStation>& stations,
                            const std::function<SheetFit(std::size_t first, std::size_t last)>& fit);

}  // namespace ps::import
