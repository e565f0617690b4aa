#include "import/sheet_tables.h"

#include <algorithm>
#include <cmath>

#include "text/number_format.h"

namespace ps::import {

namespace {

// Points within a millimetre of each other are one point.
constexpr double kTouch = 0.001;

double roundTo(double value, double unitsPerMetre) { return std::round(value * unitsPerMetre) / unitsPerMetre; }
// Heights of the band rows: millimetres. Heights, positions and lengths of
// the grade line and the curves: micrometres.
double toMillimetre(double metres) { return roundTo(metres, 1e3); }
double toMicrometre(double metres) { return roundTo(metres, 1e6); }

// One sheet of one stretch: positions between internal stations, display
// micrometres and labels. A position beyond the sheet is written in the
// sheet's own numbering, as if it went on past the sheet's ends (also past
// a station equation).
class SheetFrame {
 public:
  SheetFrame(const Stationing& stationing, const StationStretch& stretch, const SheetSpan& span)
      : stationing_(stationing), stretch_(stretch), span_(span) {}

  const ListedStation& first() const { return stretch_.stations[span_.first]; }
  const ListedStation& last() const { return stretch_.stations[span_.last]; }
  double begin() const { return first().internal; }
  double end() const { return last().internal; }

  Micrometres display(double internal) const { return toMicrometres(internal + stretch_.offset); }
  StationLabel label(Micrometres display) const { return stationing_.labelOf(display); }

  // The label of a position: a listed station of the sheet when it lies
  // within a millimetre of one, else its own micrometre.
  StationLabel labelNear(double internal) const {
    if (internal >= begin() - kTouch && internal <= end() + kTouch) {
      for (std::size_t k = span_.first; k <= span_.last; ++k) {
        const ListedStation& s = stretch_.stations[k];
        if (internal >= s.firstMerged - kTouch && internal <= s.lastMerged + kTouch) return s.label;
      }
    }
    return label(display(internal));
  }

 private:
  const Stationing& stationing_;
  const StationStretch& stretch_;
  SheetSpan span_;
};

void addStations(SheetTables& t, const StationStretch& stretch, const SheetSpan& span, const GradeLine& grade) {
  for (std::size_t k = span.first; k <= span.last; ++k) {
    const ListedStation& s = stretch.stations[k];
    const double interval = k == span.first ? 0.0 : toMetres(s.display - stretch.stations[k - 1].display);
    t.stations.push_back({s.label, toMillimetre(grade.height(s.internal)), interval});
  }
}

// Ground heights at every listed station (the cut and fill rows need a
// point at exactly the station's chainage), and the ground line's own
// points between them whose labels keep clear of their neighbours'.
void addGround(SheetTables& t, const StretchContents& contents, const SheetSpan& span, const SheetFrame& frame) {
  const StationStretch& stretch = contents.stretch();
  const auto& points = contents.road().ground.points();
  int missing = 0;
  for (std::size_t k = span.first; k <= span.last; ++k) {
    if (const auto& h = contents.groundAt(k))
      t.ground.push_back({stretch.stations[k].label, *h});
    else
      ++missing;
    if (k == span.last) break;
    for (std::size_t i : contents.groundBetween(k))
      t.ground.push_back({frame.label(frame.display(points[i].station)), toMillimetre(points[i].height)});
  }
  if (missing > 0) t.warnings.push_back({MappingWarning::Kind::groundMissing, {}, 0.0, missing, {}});
}

// The grade line: the design's own grade points, written in the sheet's
// numbering, on the sheet and beyond its ends as far as a curve reaches
// onto it. The generator draws a curve exactly over its part on the sheet
// and nothing of the points beyond the ends, so no point is made up. The
// first and last rows carry no curve onto the sheet; they are written
// with none, as the generator reads them. The grade line's own ends are
// written at a listed station within a millimetre of them: a written end
// that misses the road's by rounding still spans the sheet.
void addVips(SheetTables& t, const StretchContents& contents, const SheetSpan& span, const SheetFrame& frame) {
  const GradeLine& grade = contents.road().grade;
  const IndexRange rows = contents.vipRows(span.first, span.last);
  for (std::size_t i = rows.first; i <= rows.last; ++i) {
    const landxml::GradePoint& p = grade.points()[i];
    const bool end = i == rows.first || i == rows.last;
    const bool roadsEnd = i == 0 || i + 1 == grade.points().size();
    const StationLabel at = roadsEnd ? frame.labelNear(p.station) : frame.label(frame.display(p.station));
    t.vips.push_back({at, toMicrometre(p.height), end ? 0.0 : toMicrometre(grade.curveLength(i))});
  }
  t.vipsOnSheet = contents.vipsOnSheet(span.first, span.last).size();
}

TransitionLengths transitionOf(const landxml::SuperelevationRun& run) {
  TransitionLengths lengths{toMicrometre(run.fullSuper - run.beginRunoff), toMicrometre(run.endRunout - run.runoff),
                            std::nullopt};
  if (run.raised)
    lengths.raised = *run.raised == landxml::SuperelevationRun::Side::right ? RaisedSide::right : RaisedSide::left;
  return lengths;
}

// A curve row and a superelevation row for every curve group whose curve or
// ramps reach the sheet (and its joined neighbours), at the group's own
// positions, with its facts and its run-off and run-out lengths.
void addCurves(SheetTables& t, const StretchContents& contents, const SheetSpan& span, const SheetFrame& frame,
               const SheetSettings& settings) {
  const RoadDesign& road = contents.road();
  const IndexRange rows = contents.groupRows(span.first, span.last);
  for (std::size_t k = rows.first; k <= rows.last && !rows.empty(); ++k) {
    const CurveGroup& g = road.curves[k];
    const GroupFacts& f = road.facts[k];
    const StationLabel from = frame.labelNear(g.begin), to = frame.labelNear(g.end);
    t.curves.push_back({from, to, toMicrometre(signedRadius(g))});
    if (std::min(g.end, frame.end()) > std::max(g.begin, frame.begin())) ++t.curvesOnSheet;
    // IA to a millionth of a degree; a hair below a full circle is none.
    double angle = roundTo(f.intersectionAngle, 1e6);
    if (angle >= 360) angle -= 360;
    t.curveFacts.push_back({static_cast<int>(k + 1), angle, toMicrometre(f.curveLength),
                            toMicrometre(f.tangentLength), toMicrometre(f.secantLength)});
    if (!g.superelevation) {
      t.superelevation.push_back({from, to, 0.0});
      t.transitions.push_back({settings.runOffLength, settings.runOffLength, std::nullopt});
      continue;
    }
    const landxml::SuperelevationRun& run = road.runs[*g.superelevation];
    t.superelevation.push_back({frame.labelNear(run.fullSuper), frame.labelNear(std::max(run.runoff, run.fullSuper)),
                                toMicrometre(std::fabs(run.fullSuperelev))});
    t.transitions.push_back(transitionOf(run));
    t.runoffLength = std::max(t.runoffLength.value_or(0.0), t.transitions.back().runOff);
  }
}

// A station equation as drawings write it: back station = ahead station.
std::string equationText(const StationLabel& back, const StationLabel& ahead) {
  auto text = [](const StationLabel& s) { return "No." + formatInt(s.number) + "+" + formatFixed(s.plus, 0, 3); };
  return text(back) + "=" + text(ahead);
}

// The key points' names at their stations, and the station equation at a
// sheet end that is one.
void addAnnotations(SheetTables& t, const Stationing& stationing, std::size_t stretchIndex, const SheetSpan& span) {
  const std::vector<StationStretch>& stretches = stationing.stretches();
  const StationStretch& stretch = stretches[stretchIndex];
  for (std::size_t k = span.first; k <= span.last; ++k) {
    const ListedStation& s = stretch.stations[k];
    std::string text;
    if (k == 0 && stretchIndex > 0)
      text = equationText(stretches[stretchIndex - 1].stations.back().label, s.label);
    else if (k + 1 == stretch.stations.size() && stretchIndex + 1 < stretches.size())
      text = equationText(s.label, stretches[stretchIndex + 1].stations.front().label);
    for (const std::string& name : s.names) text += (text.empty() ? "" : "/") + name;
    if (!text.empty()) t.annotations.push_back({s.label, text});
  }
}

// The road's listed stations in road order, as (stretch, station) pairs; a
// station equation's point is the last of one stretch and the first of the
// next, at one distance.
struct RoadStation {
  std::size_t stretch, station;
};

Micrometres distanceOf(const Stationing& stationing, RoadStation at) {
  const StationStretch& s = stationing.stretches()[at.stretch];
  return Stationing::distanceOf(s, s.stations[at.station]);
}

// The nearest listed station before (step -1) or after (+1) `from` that
// lies elsewhere along the road.
std::optional<RoadStation> neighbour(const Stationing& stationing, RoadStation from, int step) {
  const std::vector<StationStretch>& stretches = stationing.stretches();
  const Micrometres here = distanceOf(stationing, from);
  RoadStation at = from;
  while (true) {
    if (step < 0) {
      if (at.station > 0) {
        --at.station;
      } else {
        if (at.stretch == 0) return std::nullopt;
        --at.stretch;
        at.station = stretches[at.stretch].stations.size() - 1;
      }
    } else {
      if (at.station + 1 < stretches[at.stretch].stations.size()) {
        ++at.station;
      } else {
        if (at.stretch + 1 == stretches.size()) return std::nullopt;
        ++at.stretch;
        at.station = 0;
      }
    }
    if (distanceOf(stationing, at) != here) return at;
  }
}

void addDistances(SheetTables& t, const Stationing& stationing, std::size_t stretchIndex, const SheetSpan& span) {
  const RoadStation first{stretchIndex, span.first}, last{stretchIndex, span.last};
  const Micrometres start = distanceOf(stationing, first);
  t.distance = start - stationing.zeroDistance();
  if (auto before = neighbour(stationing, first, -1)) t.previous = start - distanceOf(stationing, *before);
  if (auto after = neighbour(stationing, last, +1)) t.next = distanceOf(stationing, *after) - distanceOf(stationing, last);
}

}  // namespace

SheetTables mapSheet(const StretchContents& contents, std::size_t stretchIndex, const SheetSpan& span,
                     const SheetSettings& settings) {
  SheetTables t;
  const RoadDesign& road = contents.road();
  const SheetFrame frame(road.stationing, contents.stretch(), span);
  addStations(t, contents.stretch(), span, road.grade);
  addGround(t, contents, span, frame);
  addVips(t, contents, span, frame);
  addCurves(t, contents, span, frame, settings);
  addAnnotations(t, road.stationing, stretchIndex, span);
  addDistances(t, road.stationing, stretchIndex, span);
  t.datum = sheetDatum(contents.heights(span.first, span.last), settings);
  return t;
}

}  // namespace ps::import
