#include "import/sheet_breaks.h"

#include <optional>

#include "import/mapping_refused.h"

namespace ps::import {

double sheetChainage(const std::vector<ListedStation>& stations, std::size_t first, std::size_t last) {
  // Row 1's interval distance is 0; the others are differences of written
  // positions, summed in row order.
  double sum = 0.0;
  for (std::size_t k = first + 1; k <= last; ++k) sum += toMetres(stations[k].display - stations[k - 1].display);
  return sum;
}

SheetBreaks breakIntoSheets(const std::vector<ListedStation>& stations,
                            const std::function<SheetFit(std::size_t first, std::size_t last)>& fit) {
  const std::size_t n = stations.size();
  SheetBreaks result;
  for (std::size_t first = 0; first + 1 < n;) {
    std::optional<std::size_t> farthest, farthestWhole;
    for (std::size_t last = first + 1; last < n && fit(first, last) == SheetFit::fits; ++last) {
      farthest = last;
      if (stations[last].whole || last + 1 == n) farthestWhole = last;
    }
    std::size_t last = first + 1;
    if (farthestWhole) {
      last = *farthestWhole;
    } else if (farthest) {
      last = *farthest;
    } else if (fit(first, first + 1) == SheetFit::beyondView) {
      result.beyondView.push_back(first);
    } else {
      throw MappingRefused{MappingRefused::Kind::noSheetFits, stations[first].label};
    }
    result.sheets.push_back({first, last});
    first = last;
  }
  return result;
}

}  // namespace ps::import
