#include "import/vertical_curves.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "geometry/chainage.h"
#include "import/mapping_refused.h"

namespace ps::import {

namespace {

// More than rounding: the curves themselves overlap.
constexpr double kRounding = 1e-5;
constexpr int kMaxPasses = 50;

}  // namespace

void settleVerticalCurves(SheetTables& sheet, double interval) {
  auto stations = std::make_unique<StationTable>();
  stations->count = static_cast<int>(sheet.stations.size());
  for (std::size_t i = 0; i < sheet.stations.size() && i + 1 < kTableSlots; ++i) {
    stations->number[i + 1] = sheet.stations[i].at.number;
    stations->plus[i + 1] = sheet.stations[i].at.plus;
    stations->intervalDistance[i + 1] = sheet.stations[i].intervalDistance;
  }
  const Placement placement{true, interval};
  std::vector<VipRow>& vips = sheet.vips;
  const std::size_t n = vips.size();
  std::vector<double> c(n);
  for (std::size_t i = 0; i < n; ++i) {
    c[i] = chainageOf(*stations, placement, vips[i].at.number, vips[i].at.plus);
    if (i > 0 && !(c[i] > c[i - 1]))
      throw MappingRefused{MappingRefused::Kind::gradeNotAscending, vips[i].at};
  }
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    bool settled = true;
    for (std::size_t i = 1; i + 1 < n; ++i) {
      const double length = vips[i].curveLength;
      if (length == 0.0) continue;
      const double begin = c[i] - length / 2, end = c[i] + length / 2;
      double excess = std::max(c[i - 1] - begin, end - c[i + 1]);
      if (i + 2 < n && vips[i + 1].curveLength != 0.0) excess = std::max(excess, end - (c[i + 1] - vips[i + 1].curveLength / 2));
      if (excess <= 0) continue;
      if (excess > kRounding)
        throw MappingRefused{MappingRefused::Kind::designCurvesOverlap, vips[i].at};
      vips[i].curveLength = toMetres(toMicrometres(length) - 2);
      settled = false;
    }
    if (settled) return;
  }
  throw MappingRefused{MappingRefused::Kind::designCurvesOverlap, std::nullopt};
}

}  // namespace ps::import
