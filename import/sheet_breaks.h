// Where a stretch of listed stations is broken into sheets.
#pragma once

#include <functional>
#include <vector>

#include "import/stationing.h"

namespace ps::import {

// The most listed stations one sheet holds.
inline constexpr std::size_t kStationsPerSheet = 30;

// Whether a sheet whose last station lies at the given chainage stays within
// the band data cell: chainage 0 sits 20 mm right of the cell's left edge,
// and the cell is (data length - row gap) long.
struct FrameRule {
  double rowGap = 0.0;      // header value 2
  double scale = 1.0;       // header value 3
  double dataLength = 0.0;  // header value 5
  bool fits(double lastChainage) const { return 20 + lastChainage * 1000 / scale <= dataLength - rowGap; }
};

// A stretch of road a break should not fall into: a vertical curve, or a
// horizontal curve group with its superelevation run.
struct KeepTogether {
  enum class Kind { verticalCurve, horizontalCurve };
  Kind kind;
  double begin = 0.0;  // internal stations
  double end = 0.0;
};

// One sheet: the indices of its first and last listed station.
struct SheetSpan {
  std::size_t first = 0;
  std::size_t last = 0;
};

struct SheetBreaks {
  std::vector<SheetSpan> sheets;
  int verticalCuts = 0;    // breaks that fall inside a vertical curve
  int horizontalCuts = 0;  // breaks inside a horizontal curve group or its superelevation run
};

// The chainages a sheet starting at `first` gives the stations after it, as
// the generator sums the interval distances.
double sheetChainage(const std::vector<ListedStation>& stations, std::size_t first, std::size_t last);

// Breaks the stations of one stretch into sheets that share their boundary
// stations. Each sheet holds at most kStationsPerSheet stations, fits the
// frame and passes `fitsCapacities`. Among the breakings that do, it takes
// the one that cuts the fewest curves (a horizontal curve counting twice),
// then has the fewest sheets, then
// breaks at the fewest stations that are not whole, and then fills the
// earlier sheets first. Throws MappingRefused when two neighbouring stations
// fit on no sheet.
SheetBreaks breakIntoSheets(const std::vector<ListedStation>& stations, const std::vector<KeepTogether>& keep,
                            const FrameRule& frame,
                            const std::function<bool(std::size_t first, std::size_t last)>& fitsCapacities);

}  // namespace ps::import
