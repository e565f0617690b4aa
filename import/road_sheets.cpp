#include "import/road_sheets.h"

#include <algorithm>

#include "import/vertical_curves.h"

namespace ps::import {

namespace {

constexpr double kTouch = 0.001;
// The generator's capacities a sheet must stay within.
constexpr std::size_t kMaxVips = 49;
constexpr std::size_t kMaxRows = 499;

std::vector<KeepTogether> keepTogether(const RoadDesign& road) {
  std::vector<KeepTogether> keep;
  for (std::size_t i = 0; i < road.grade.points().size(); ++i) {
    const double half = road.grade.curveLength(i) / 2;
    if (half > 0)
      keep.push_back({KeepTogether::Kind::verticalCurve, road.grade.points()[i].station - half,
                      road.grade.points()[i].station + half});
  }
  for (const CurveGroup& g : road.curves) {
    KeepTogether k{KeepTogether::Kind::horizontalCurve, g.begin, g.end};
    if (g.superelevation) {
      k.begin = std::min(k.begin, runBegin(road.runs[*g.superelevation]));
      k.end = std::max(k.end, runEnd(road.runs[*g.superelevation]));
    }
    keep.push_back(k);
  }
  return keep;
}

// How many of the sorted stations lie strictly between a and b.
std::size_t countBetween(const std::vector<double>& sorted, double a, double b) {
  return static_cast<std::size_t>(std::lower_bound(sorted.begin(), sorted.end(), b) -
                                  std::upper_bound(sorted.begin(), sorted.end(), a));
}

}  // namespace

RoadSheets mapAlignment(const landxml::Alignment& alignment, const SheetSettings& settings) {
  const RoadDesign road(alignment);
  RoadSheets result;
  result.interval = road.stationing.interval();

  std::vector<double> gradeStations, groundStations;
  for (const landxml::GradePoint& p : road.grade.points()) gradeStations.push_back(p.station);
  for (const landxml::GroundPoint& p : road.ground.points()) groundStations.push_back(p.station);
  const std::vector<KeepTogether> keep = keepTogether(road);

  const auto& stretches = road.stationing.stretches();
  for (std::size_t k = 0; k < stretches.size(); ++k) {
    const StationStretch& stretch = stretches[k];
    // Upper bounds of the VIP and ground rows: the design's points between
    // the sheet ends, the sheet's two end VIPs and up to two cut curves, and
    // a ground row per station.
    auto fits = [&](std::size_t first, std::size_t last) {
      const double a = stretch.stations[first].internal, b = stretch.stations[last].internal;
      return countBetween(gradeStations, a, b) + 4 <= kMaxVips &&
             countBetween(groundStations, a, b) + (last - first + 1) <= kMaxRows;
    };
    const SheetBreaks breaks = breakIntoSheets(stretch.stations, keep, settings.frame, fits);
    result.verticalCuts += breaks.verticalCuts;
    result.horizontalCuts += breaks.horizontalCuts;
    for (const SheetSpan& span : breaks.sheets) {
      SheetTables tables = mapSheet(road, stretch, span, settings);
      settleVerticalCurves(tables);
      result.sheets.push_back(std::move(tables));
    }
    if (k > 0) {
      for (const KeepTogether& r : keep) {
        if (!(stretch.begin > r.begin + kTouch && stretch.begin < r.end - kTouch)) continue;
        (r.kind == KeepTogether::Kind::verticalCurve ? result.equationVerticalCuts : result.equationHorizontalCuts) += 1;
      }
    }
  }

  auto labelOf = [&](double internal) {
    for (const StationStretch& s : stretches)
      if (internal <= s.end || &s == &stretches.back())
        return road.stationing.labelOf(roundToMillimetre(toMicrometres(internal + s.offset)));
    return StationLabel{};
  };
  for (std::size_t r : road.unpairedRuns)
    result.warnings.push_back({MappingWarning::Kind::superelevationUnpaired, labelOf(road.runs[r].fullSuper)});
  for (const CurveGroup& g : road.curves)
    if (g.compound) result.warnings.push_back({MappingWarning::Kind::compoundCurve, labelOf(g.begin), g.radius});
  return result;
}

}  // namespace ps::import
