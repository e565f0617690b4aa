#include "import/sheet_breaks.h"

#include <limits>
#include <optional>
#include <tuple>

#include "import/mapping_refused.h"

namespace ps::import {

namespace {

// A break this close to a curve's end is outside it.
constexpr double kTouch = 0.001;

struct Cost {
  int cuts = 0;
  int sheets = 0;
  int notWhole = 0;
  bool operator<(const Cost& o) const {
    return std::tie(cuts, sheets, notWhole) < std::tie(o.cuts, o.sheets, o.notWhole);
  }
};

struct Cuts {
  int vertical = 0;
  int horizontal = 0;
};

Cuts cutsAt(const ListedStation& station, const std::vector<KeepTogether>& keep) {
  Cuts cuts;
  for (const KeepTogether& k : keep) {
    if (!(station.internal > k.begin + kTouch && station.internal < k.end - kTouch)) continue;
    (k.kind == KeepTogether::Kind::verticalCurve ? cuts.vertical : cuts.horizontal) += 1;
  }
  return cuts;
}

}  // namespace

double sheetChainage(const std::vector<ListedStation>& stations, std::size_t first, std::size_t last) {
  // Row 1's interval distance is 0; the others are differences of written
  // positions, summed in row order.
  double sum = 0.0;
  for (std::size_t k = first + 1; k <= last; ++k) sum += toMetres(stations[k].display - stations[k - 1].display);
  return sum;
}

SheetBreaks breakIntoSheets(const std::vector<ListedStation>& stations, const std::vector<KeepTogether>& keep,
                            const FrameRule& frame,
                            const std::function<bool(std::size_t first, std::size_t last)>& fitsCapacities) {
  const std::size_t n = stations.size();
  SheetBreaks result;
  if (n < 2) return result;

  std::vector<Cuts> cuts(n);
  for (std::size_t k = 1; k + 1 < n; ++k) cuts[k] = cutsAt(stations[k], keep);

  // best[i]: the cheapest breaking of the stations from i to the end, with
  // a sheet starting at i; next[i] the last station of that sheet.
  std::vector<std::optional<Cost>> best(n);
  std::vector<std::size_t> next(n, 0);
  best[n - 1] = Cost{};
  for (std::size_t i = n - 1; i-- > 0;) {
    double chainage = 0.0;
    for (std::size_t j = i + 1; j < n && j - i + 1 <= kStationsPerSheet; ++j) {
      chainage += toMetres(stations[j].display - stations[j - 1].display);
      if (!frame.fits(chainage) || !fitsCapacities(i, j)) break;
      if (!best[j]) continue;
      Cost cost = *best[j];
      cost.sheets += 1;
      if (j + 1 < n) {
        // A cut horizontal curve costs more: its superelevation ramps are
        // drawn past the sheet's edge, while a cut vertical curve is drawn
        // exactly.
        cost.cuts += cuts[j].vertical + 2 * cuts[j].horizontal;
        cost.notWhole += stations[j].whole ? 0 : 1;
      }
      // Ties go to the longer sheet: j only grows.
      if (!best[i] || !(*best[i] < cost)) {
        best[i] = cost;
        next[i] = j;
      }
    }
    if (!best[i] && i + 1 < n && (!frame.fits(toMetres(stations[i + 1].display - stations[i].display)) ||
                                  !fitsCapacities(i, i + 1)))
      throw MappingRefused{MappingRefused::Kind::noSheetFits, stations[i].label};
  }
  if (!best[0]) throw MappingRefused{MappingRefused::Kind::noSheetFits, stations[0].label};

  for (std::size_t i = 0; i + 1 < n; i = next[i]) {
    result.sheets.push_back({i, next[i]});
    if (next[i] + 1 < n) {
      result.verticalCuts += cuts[next[i]].vertical;
      result.horizontalCuts += cuts[next[i]].horizontal;
    }
  }
  return result;
}

}  // namespace ps::import
