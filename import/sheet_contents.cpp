#include "import/sheet_contents.h"

#include <algorithm>

namespace ps::import {

namespace {

constexpr double kTouch = 0.001;
// The generator's capacities a sheet must stay within.
constexpr std::size_t kMaxVips = 49;
constexpr std::size_t kMaxRows = 499;
// The vertical station labels end a millimetre right of their station.
constexpr double kLabelReach = 1.0;

double roundTo(double value, double unitsPerMetre) { return std::round(value * unitsPerMetre) / unitsPerMetre; }

// The stretch a curve group changes the drawing over: its curve and the
// ramps of its superelevation (or of the template's run-off, without one).
struct Reach {
  double begin, end;
};
Reach reachOf(const RoadDesign& road, const CurveGroup& g, double runOffLength) {
  if (!g.superelevation) return {g.begin - runOffLength, g.end + runOffLength};
  const landxml::SuperelevationRun& run = road.runs[*g.superelevation];
  return {std::min(g.begin, runBegin(run)), std::max(g.end, runEnd(run))};
}

// Neighbouring groups whose ramps meet or overlap: the diagram runs
// straight from one's full superelevation to the next one's.
bool joined(const RoadDesign& road, std::size_t k) {
  const CurveGroup &a = road.curves[k], &b = road.curves[k + 1];
  return a.superelevation && b.superelevation &&
         runBegin(road.runs[*b.superelevation]) <= runEnd(road.runs[*a.superelevation]) + kTouch;
}

}  // namespace

double datumOf(const HeightRange& range, double step) {
  // A dimension line is at or above the datum when its curve's height is.
  const double lowest = std::min(range.lowest, range.lowestCurve);
  double datum = roundTo(std::floor(lowest / step) * step, 1e6);
  if (datum > lowest) datum = roundTo(datum - step, 1e6);
  return datum;
}

namespace {

HeightRange withoutCurves(const HeightRange& range) { return {range.lowest, range.highest, INFINITY, -INFINITY}; }

}  // namespace

double sheetDatum(const HeightRange& range, const SheetSettings& settings) {
  const double all = datumOf(range, settings.elevationInterval);
  if (viewHolds(range, all, settings)) return all;
  const double some = datumOf(withoutCurves(range), settings.elevationInterval);
  return viewHolds(withoutCurves(range), some, settings) ? some : all;
}

bool gradeAndGroundFit(const HeightRange& range, const SheetSettings& settings) {
  const HeightRange some = withoutCurves(range);
  return viewHolds(some, datumOf(some, settings.elevationInterval), settings);
}

bool viewHolds(const HeightRange& range, double datum, const SheetSettings& settings) {
  auto paper = [&](double h) { return (h - datum) * 1000 / settings.verticalScale; };
  return paper(range.highest) <= settings.viewHeight && paper(range.highestCurve) / 2 <= settings.viewHeight;
}

StretchContents::StretchContents(const RoadDesign& road, const StationStretch& stretch, const SheetSettings& settings)
    : road_(road), stretch_(stretch), settings_(settings) {
  const std::vector<ListedStation>& stations = stretch.stations;
  const std::size_t n = stations.size();
  stationGround_.resize(n);
  between_.resize(n);
  betweenHeights_.resize(n);
  groundRowsBefore_.assign(n + 1, 0);
  const double clearance = std::max(kTouch, (std::trunc(settings.bandTextHeight) + 1) * settings.frame.scale / 1000);
  const auto& points = road.ground.points();
  auto point = points.begin();
  for (std::size_t k = 0; k < n; ++k) {
    if (auto h = road.ground.height(stations[k].internal)) stationGround_[k] = roundTo(*h, 1e3);
    groundRowsBefore_[k + 1] = groundRowsBefore_[k] + (stationGround_[k] ? 1 : 0);
    if (k + 1 == n) break;
    const double here = stations[k].internal, next = stations[k + 1].internal;
    point = std::upper_bound(point, points.end(), here,
                             [](double s, const landxml::GroundPoint& p) { return s < p.station; });
    double kept = here;
    for (auto p = point; p != points.end() && p->station < next; ++p) {
      if (p->station - kept >= clearance && next - p->station >= clearance) {
        between_[k].push_back(static_cast<std::size_t>(p - points.begin()));
        betweenHeights_[k].see(roundTo(p->height, 1e3));
        kept = p->station;
      }
    }
    groundRowsBefore_[k + 1] += between_[k].size();
  }

  for (const CurveGroup& g : road.curves) {
    const Reach r = reachOf(road, g, settings.runOffLength);
    reachUpTo_.push_back(reachUpTo_.empty() ? r.end : std::max(reachUpTo_.back(), r.end));
    startFrom_.push_back(r.begin);
  }
  for (std::size_t k = startFrom_.size(); k-- > 1;) startFrom_[k - 1] = std::min(startFrom_[k - 1], startFrom_[k]);
}

IndexRange StretchContents::vipRows(std::size_t first, std::size_t last) const {
  const auto& points = road_.grade.points();
  const double a = stretch_.stations[first].internal, b = stretch_.stations[last].internal;
  auto station = [](const landxml::GradePoint& p) { return p.station; };
  // The last point at or before the sheet's start, and the first at or after its end.
  const auto atOrBefore = std::upper_bound(points.begin(), points.end(), a,
                                           [](double s, const landxml::GradePoint& p) { return s < p.station; });
  std::size_t lo = atOrBefore == points.begin() ? 0 : static_cast<std::size_t>(atOrBefore - points.begin()) - 1;
  const auto atOrAfter = std::lower_bound(points.begin(), points.end(), b,
                                          [](const landxml::GradePoint& p, double s) { return p.station < s; });
  std::size_t hi = atOrAfter == points.end() ? points.size() - 1 : static_cast<std::size_t>(atOrAfter - points.begin());
  if (lo > 0 && station(points[lo]) + road_.grade.curveLength(lo) / 2 > a) --lo;
  if (hi + 1 < points.size() && station(points[hi]) - road_.grade.curveLength(hi) / 2 < b) ++hi;
  return {lo, hi};
}

IndexRange StretchContents::vipsOnSheet(std::size_t first, std::size_t last) const {
  const auto& points = road_.grade.points();
  const double a = stretch_.stations[first].internal, b = stretch_.stations[last].internal;
  const auto from = std::lower_bound(points.begin(), points.end(), a,
                                     [](const landxml::GradePoint& p, double s) { return p.station < s; });
  const auto to = std::upper_bound(points.begin(), points.end(), b,
                                   [](double s, const landxml::GradePoint& p) { return s < p.station; });
  if (from >= to) return {};
  return {static_cast<std::size_t>(from - points.begin()), static_cast<std::size_t>(to - points.begin()) - 1};
}

IndexRange StretchContents::groupRows(std::size_t first, std::size_t last) const {
  const double a = stretch_.stations[first].internal, b = stretch_.stations[last].internal;
  const std::size_t lo = static_cast<std::size_t>(
      std::upper_bound(reachUpTo_.begin(), reachUpTo_.end(), a) - reachUpTo_.begin());
  const std::size_t end = static_cast<std::size_t>(
      std::lower_bound(startFrom_.begin(), startFrom_.end(), b) - startFrom_.begin());
  if (lo >= end) return {};
  // A joined transition runs from one curve's full superelevation to the
  // next one's: where that reaches the sheet, both rows are needed.
  IndexRange rows{lo, end - 1};
  auto run = [&](std::size_t k) { return road_.runs[*road_.curves[k].superelevation]; };
  while (rows.first > 0 && joined(road_, rows.first - 1) && run(rows.first).fullSuper > a) --rows.first;
  while (rows.last + 1 < road_.curves.size() && joined(road_, rows.last) && run(rows.last).runoff < b) ++rows.last;
  return rows;
}

std::size_t StretchContents::groundRows(std::size_t first, std::size_t last) const {
  return groundRowsBefore_[last + 1] - groundRowsBefore_[first] - between_[last].size();
}

HeightRange StretchContents::heights(std::size_t first, std::size_t last) const {
  HeightRange range;
  for (std::size_t k = first; k <= last; ++k) {
    range.see(road_.grade.height(stretch_.stations[k].internal));
    if (stationGround_[k]) range.see(*stationGround_[k]);
    if (k < last && !between_[k].empty()) {
      range.see(betweenHeights_[k].lowest);
      range.see(betweenHeights_[k].highest);
    }
  }
  const IndexRange vips = vipsOnSheet(first, last);
  for (std::size_t i = vips.first; i <= vips.last && !vips.empty(); ++i)
    range.see(roundTo(road_.grade.points()[i].height, 1e6));
  range.see(road_.grade.tangentHeight(stretch_.stations[first].internal));
  range.see(road_.grade.tangentHeight(stretch_.stations[last].internal));
  // The vertical curves drawn: those of the interior rows that reach the sheet.
  const IndexRange rows = vipRows(first, last);
  const double a = stretch_.stations[first].internal, b = stretch_.stations[last].internal;
  for (std::size_t i = rows.first + 1; i < rows.last; ++i) {
    const double c = road_.grade.points()[i].station, half = road_.grade.curveLength(i) / 2;
    if (!(half > 0 && c - half < b && c + half > a)) continue;
    // The generator puts a cut curve's dimension line halfway up to the
    // curve at the middle of its part on the sheet.
    const double from = std::max(c - half, a), to = std::min(c + half, b);
    range.seeCurve(road_.grade.height(from == c - half && to == c + half ? c : (from + to) / 2));
  }
  return range;
}

SheetFit StretchContents::fit(std::size_t first, std::size_t last) const {
  if (last - first + 1 > settings_.stationsPerSheet) return SheetFit::beyondLimits;
  double reach = kLabelReach;
  const IndexRange vips = vipsOnSheet(first, last);
  if (!vips.empty()) {
    const double beforeEnd = stretch_.stations[last].internal - road_.grade.points()[vips.last].station;
    reach = std::max(reach, settings_.rowHeight / 2 - beforeEnd * 1000 / settings_.frame.scale);
  }
  if (!settings_.frame.fits(sheetChainage(stretch_.stations, first, last), reach)) return SheetFit::beyondLimits;
  if (vipRows(first, last).size() > kMaxVips || groundRows(first, last) > kMaxRows ||
      groupRows(first, last).size() > kMaxRows)
    return SheetFit::beyondLimits;
  const HeightRange range = heights(first, last);
  if (!viewHolds(range, datumOf(range, settings_.elevationInterval), settings_)) return SheetFit::beyondView;
  return SheetFit::fits;
}

}  // namespace ps::import
