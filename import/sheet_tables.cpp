#include "import/sheet_tables.h"

#include <algorithm>
#include <cmath>

#include "import/mapping_refused.h"

namespace ps::import {

namespace {

// Points within a millimetre of each other are one point.
constexpr double kTouch = 0.001;

double roundTo(double value, double unitsPerMetre) { return std::round(value * unitsPerMetre) / unitsPerMetre; }
// Heights of the band rows: millimetres. Heights and lengths of the grade
// line: micrometres, so that a clipped curve keeps the design's shape.
double toMillimetre(double metres) { return roundTo(metres, 1e3); }
double toMicrometre(double metres) { return roundTo(metres, 1e6); }

// One sheet of one stretch: positions between internal stations, display
// micrometres and labels.
class SheetFrame {
 public:
  SheetFrame(const Stationing& stationing, const StationStretch& stretch, const SheetSpan& span)
      : stationing_(stationing), stretch_(stretch), first_(stretch.stations[span.first]),
        last_(stretch.stations[span.last]), span_(span) {}

  const ListedStation& first() const { return first_; }
  const ListedStation& last() const { return last_; }
  double begin() const { return first_.internal; }
  double end() const { return last_.internal; }

  Micrometres display(double internal) const { return toMicrometres(internal + stretch_.offset); }
  double internal(Micrometres display) const { return toMetres(display) - stretch_.offset; }
  StationLabel label(Micrometres display) const { return stationing_.labelOf(display); }

  // The label of a position on the sheet: a sheet end or a listed station
  // when it lies within a millimetre of one, else its own micrometre.
  StationLabel labelNear(double internal) const {
    if (internal <= begin() + kTouch) return first_.label;
    if (internal >= end() - kTouch) return last_.label;
    for (std::size_t k = span_.first; k <= span_.last; ++k) {
      const ListedStation& s = stretch_.stations[k];
      if (internal >= s.firstMerged - kTouch && internal <= s.lastMerged + kTouch) return s.label;
    }
    return label(display(internal));
  }

 private:
  const Stationing& stationing_;
  const StationStretch& stretch_;
  const ListedStation& first_;
  const ListedStation& last_;
  SheetSpan span_;
};

void addStations(SheetTables& t, const StationStretch& stretch, const SheetSpan& span, const GradeLine& grade) {
  for (std::size_t k = span.first; k <= span.last; ++k) {
    const ListedStation& s = stretch.stations[k];
    const double interval = k == span.first ? 0.0 : toMetres(s.display - stretch.stations[k - 1].display);
    t.stations.push_back({s.label, toMillimetre(grade.height(s.internal)), interval});
  }
}

// Ground heights at every listed station, and the points of the ground line
// between them that keep their labels clear of their neighbours': a text
// height and a millimetre of paper apart.
void addGround(SheetTables& t, const StationStretch& stretch, const SheetSpan& span, const SheetFrame& frame,
               const GroundLine& ground, const SheetSettings& settings) {
  const double clearance = std::max(kTouch, (std::trunc(settings.bandTextHeight) + 1) * settings.frame.scale / 1000);
  const auto& points = ground.points();
  int missing = 0;
  auto point = std::upper_bound(points.begin(), points.end(), frame.begin(),
                                [](double s, const landxml::GroundPoint& p) { return s < p.station; });
  for (std::size_t k = span.first; k <= span.last; ++k) {
    const ListedStation& s = stretch.stations[k];
    if (auto h = ground.height(s.internal))
      t.ground.push_back({s.label, toMillimetre(*h)});
    else
      ++missing;
    if (k == span.last) break;
    const double next = stretch.stations[k + 1].internal;
    double kept = s.internal;
    for (; point != points.end() && point->station < next; ++point) {
      if (point->station - kept >= clearance && next - point->station >= clearance) {
        t.ground.push_back({frame.label(frame.display(point->station)), toMillimetre(point->height)});
        kept = point->station;
      }
    }
  }
  if (missing > 0) t.warnings.push_back({MappingWarning::Kind::groundMissing, {}, 0.0, missing});
}

// The grade line of the sheet: a VIP at each end with the design height
// there, the design's VIPs between, and a vertical curve that a sheet end
// cuts replaced by its part on the sheet. That part is a symmetric parabola
// too: its tangents at the part's ends meet over the part's middle, so the
// VIP there, on the tangent at the cut end, with the part's length, draws
// exactly the design's curve. Positions are whole micrometres of display
// station; the curve length is taken from the written positions, so that
// the part ends exactly at the sheet end.
void addVips(SheetTables& t, const SheetFrame& frame, const GradeLine& grade) {
  const double a = frame.begin(), b = frame.end();
  const Micrometres da = frame.first().display, db = frame.last().display;
  auto vip = [&](Micrometres display, double height, Micrometres length) {
    t.vips.push_back({frame.label(display), toMicrometre(height), toMetres(length)});
  };
  vip(da, grade.height(a), 0);
  const auto& points = grade.points();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const landxml::GradePoint& p = points[i];
    const double length = grade.curveLength(i);
    if (length == 0.0) {
      if (p.station > a + kTouch && p.station < b - kTouch) vip(frame.display(p.station), p.height, 0);
      continue;
    }
    const double curveBegin = p.station - length / 2, curveEnd = p.station + length / 2;
    if (std::min(curveEnd, b) - std::max(curveBegin, a) < kTouch) continue;  // off the sheet, or a sliver
    const bool cutAtBegin = curveBegin < a, cutAtEnd = curveEnd > b;
    if (!cutAtBegin && !cutAtEnd) {
      vip(frame.display(p.station), p.height, toMicrometres(length));
      continue;
    }
    const Micrometres partBegin = cutAtBegin ? da : frame.display(curveBegin);
    const Micrometres partEnd = cutAtEnd ? db : frame.display(curveEnd);
    const Micrometres middle = partBegin + (partEnd - partBegin) / 2;
    const Micrometres partLength = cutAtBegin ? 2 * (middle - partBegin) : 2 * (partEnd - middle);
    const double anchor = cutAtBegin ? a : b;
    const double m = frame.internal(middle);
    vip(middle, grade.height(anchor) + grade.slope(anchor) * (m - anchor), partLength);
  }
  vip(db, grade.height(b), 0);
}

void addCurves(SheetTables& t, const SheetFrame& frame, const RoadDesign& road) {
  const double a = frame.begin(), b = frame.end();
  std::vector<double> runoffs;
  for (const CurveGroup& g : road.curves) {
    if (std::min(g.end, b) - std::max(g.begin, a) < kTouch) continue;
    const StationLabel from = frame.labelNear(g.begin), to = frame.labelNear(g.end);
    t.curves.push_back({from, to, toMicrometre(signedRadius(g))});
    if (!g.superelevation) {
      t.superelevation.push_back({from, to, 0.0});
      t.warnings.push_back({MappingWarning::Kind::noSuperelevation, from});
      continue;
    }
    const landxml::SuperelevationRun& run = road.runs[*g.superelevation];
    const double start = std::clamp(run.fullSuper, a, b), end = std::clamp(std::max(run.runoff, run.fullSuper), a, b);
    t.superelevation.push_back({frame.labelNear(start), frame.labelNear(end), toMicrometre(std::fabs(run.fullSuperelev))});
    runoffs.push_back(toMicrometre(std::max(0.0, run.fullSuper - run.beginRunoff)));
  }
  if (runoffs.empty()) return;
  const auto [shortest, longest] = std::minmax_element(runoffs.begin(), runoffs.end());
  t.runoffLength = *longest;
  if (*longest - *shortest > kTouch)
    t.warnings.push_back({MappingWarning::Kind::runoffLengthsDiffer, frame.first().label, *longest});
}

void addAnnotations(SheetTables& t, const StationStretch& stretch, const SheetSpan& span) {
  for (std::size_t k = span.first; k <= span.last; ++k) {
    const ListedStation& s = stretch.stations[k];
    if (s.names.empty()) continue;
    std::string text;
    for (const std::string& name : s.names) text += (text.empty() ? "" : "/") + name;
    t.annotations.push_back({s.label, text});
  }
}

// The datum: the highest multiple of the elevation interval at or below
// every height drawn (ground, VIPs and the planned heights of the stations;
// the grade line between VIPs stays within their heights).
void setDatum(SheetTables& t, const SheetSettings& settings, const SheetFrame& frame) {
  double lowest = INFINITY, highest = -INFINITY;
  auto see = [&](double h) {
    lowest = std::min(lowest, h);
    highest = std::max(highest, h);
  };
  for (const GroundRow& g : t.ground) see(g.height);
  for (const VipRow& v : t.vips) see(v.height);
  for (const StationRow& s : t.stations) see(s.plannedHeight);
  const double step = settings.elevationInterval;
  double datum = toMicrometre(std::floor(lowest / step) * step);
  if (datum > lowest) datum = toMicrometre(datum - step);
  t.datum = datum;
  const double top = datum + settings.viewHeight * settings.verticalScale / 1000;
  if (highest > top) t.warnings.push_back({MappingWarning::Kind::aboveProfileView, frame.first().label, highest});
}

}  // namespace

SheetSettings sheetSettingsOf(const HeaderValues& h) {
  SheetSettings s;
  s.frame = {h.bandRowGap, h.horizontalScale, h.bandDataLength};
  s.verticalScale = h.verticalScale;
  s.viewHeight = h.profileViewHeight;
  s.elevationInterval = h.elevationInterval;
  s.bandTextHeight = h.valueTextHeight;
  return s;
}

RoadDesign::RoadDesign(const landxml::Alignment& alignment)
    : stationing(alignment), grade(alignment.grade), ground(alignment.ground),
      curves(findCurveGroups(alignment.elements)), runs(alignment.superelevation) {
  // The grade line must span the road; its written ends may miss the road's
  // by rounding.
  const StationStretch &first = stationing.stretches().front(), &last = stationing.stretches().back();
  if (grade.points().front().station > first.begin + kTouch)
    throw MappingRefused{MappingRefused::Kind::profileShort, first.stations.front().label};
  if (grade.points().back().station < last.end - kTouch)
    throw MappingRefused{MappingRefused::Kind::profileShort, last.stations.back().label};
  unpairedRuns = pairSuperelevation(curves, runs);
}

SheetTables mapSheet(const RoadDesign& road, const StationStretch& stretch, const SheetSpan& span,
                     const SheetSettings& settings) {
  SheetTables t;
  const SheetFrame frame(road.stationing, stretch, span);
  addStations(t, stretch, span, road.grade);
  addGround(t, stretch, span, frame, road.ground, settings);
  addVips(t, frame, road.grade);
  addCurves(t, frame, road);
  addAnnotations(t, stretch, span);
  setDatum(t, settings, frame);
  return t;
}

}  // namespace ps::import
