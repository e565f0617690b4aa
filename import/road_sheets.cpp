#include "import/road_sheets.h"

#include <cmath>

#include "import/vertical_curves.h"

namespace ps::import {

long long fewestSheets(const landxml::Alignment& alignment, const SheetSettings& settings) {
  const std::vector<StationStretch> stretches = stretchOutline(alignment);
  // A sheet holds at most stationsPerSheet stations, sharing one with the
  // next, and at most the data cell's length of road (less the label that
  // follows its last station).
  const double perSheet = static_cast<double>(settings.stationsPerSheet) - 1;
  const double reach =
      (settings.frame.dataLength - settings.frame.rowGap - 20 - 1) * settings.frame.scale / 1000;
  double fewest = 0;
  for (const StationStretch& s : stretches) {
    const double byStations = std::ceil((static_cast<double>(s.wholeStations) - 1) / perSheet);
    const double byLength = reach > 0 ? std::ceil((s.end - s.begin - 0.001) / reach) : 0;
    fewest += std::max(0.0, std::max(byStations, byLength));
  }
  // The key points are listed stations too: those a millimetre apart or
  // more, as the listing merges them.
  double keyPoints = 0, last = -INFINITY;
  for (const landxml::GeometryElement& e : alignment.elements) {
    if (e.kind == landxml::GeometryElement::Kind::line) continue;
    for (double at : {e.start, e.end})
      if (at - last >= 0.001) ++keyPoints, last = at;
  }
  fewest = std::max(fewest, std::ceil((keyPoints - static_cast<double>(stretches.size())) / perSheet));
  return fewest > 1e15 ? static_cast<long long>(1e15) : static_cast<long long>(fewest);
}

RoadSheets mapAlignment(const landxml::Alignment& alignment, const SheetSettings& settings) {
  if (const long long fewest = fewestSheets(alignment, settings); fewest > kMaxSheets)
    throw MappingRefused{MappingRefused::Kind::tooManySheets, std::nullopt, fewest, true};

  RoadDesign road(alignment);
  RoadSheets result;
  result.interval = road.stationing.interval();
  result.length = road.stationing.length();

  const auto& stretches = road.stationing.stretches();
  std::vector<StretchContents> contents;
  contents.reserve(stretches.size());
  std::vector<SheetBreaks> breaks;
  long long count = 0;
  for (const StationStretch& stretch : stretches) {
    contents.emplace_back(road, stretch, settings);
    const StretchContents& c = contents.back();
    breaks.push_back(breakIntoSheets(stretch.stations, [&c](std::size_t a, std::size_t b) { return c.fit(a, b); }));
    count += static_cast<long long>(breaks.back().sheets.size());
    for (std::size_t k : breaks.back().beyondView) {
      const HeightRange h = c.heights(k, k + 1);
      if (gradeAndGroundFit(h, settings)) continue;
      result.warnings.push_back({MappingWarning::Kind::beyondView, stretch.stations[k].label,
                                 h.highest - datumOf({h.lowest, h.highest, INFINITY, -INFINITY},
                                                     settings.elevationInterval),
                                 0, stretch.stations[k + 1].label});
    }
  }
  if (count > kMaxSheets) throw MappingRefused{MappingRefused::Kind::tooManySheets, std::nullopt, count, false};
  road.findFacts(alignment);

  for (std::size_t k = 0; k < stretches.size(); ++k) {
    for (const SheetSpan& span : breaks[k].sheets) {
      SheetTables tables = mapSheet(contents[k], k, span, settings);
      settleVerticalCurves(tables, result.interval);
      result.sheets.push_back(std::move(tables));
    }
  }

  auto labelOf = [&](double internal) {
    for (const StationStretch& s : stretches)
      if (internal <= s.end || &s == &stretches.back())
        return road.stationing.labelOf(roundToMillimetre(toMicrometres(internal + s.offset)));
    return StationLabel{};
  };
  for (std::size_t r : road.unpairedRuns)
    result.warnings.push_back({MappingWarning::Kind::superelevationUnpaired, labelOf(road.runs[r].fullSuper), 0.0, 0, {}});
  for (const CurveGroup& g : road.curves) {
    if (g.compound) result.warnings.push_back({MappingWarning::Kind::compoundCurve, labelOf(g.begin), g.radius, 0, {}});
    if (!g.superelevation) result.warnings.push_back({MappingWarning::Kind::noSuperelevation, labelOf(g.begin), 0.0, 0, {}});
  }
  return result;
}

}  // namespace ps::import
