#include "import/stationing.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace ps::import {

namespace {

// Points closer than this merge into one listed station.
constexpr double kMergeDistance = 0.001;
// More whole stations than any drawing set needs; a guard against an
// interval of a millimetre on a long road.
constexpr double kMaxWholeStations = 1e6;

// Which of several merged points gives the listed station its position:
// a whole station keeps its plus 0, an alignment end or equation point its
// exact place.
enum class Rank { whole, end, keyPoint };

struct Candidate {
  double internal;
  Rank rank;
  std::string name;           // empty for none
  Micrometres wholeDisplay = 0;  // of a whole station
};

[[noreturn]] void refuse(MappingRefused::Kind kind) { throw MappingRefused{kind, std::nullopt}; }

Micrometres floorDiv(Micrometres a, Micrometres b) {
  Micrometres q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

void addName(std::vector<std::string>& names, const std::string& name) {
  if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

}  // namespace

Micrometres toMicrometres(double metres) { return std::llround(metres * kMicrometresPerMetre); }

Micrometres roundToMillimetre(Micrometres um) {
  // Half away from zero, like every rounding of the program.
  const Micrometres half = um < 0 ? -500 : 500;
  return (um + half) / 1000 * 1000;
}

double toMetres(Micrometres um) { return static_cast<double>(um) / kMicrometresPerMetre; }

namespace {

struct Interval {
  double metres;
  Micrometres um;
};

Interval intervalOf(const landxml::Alignment& alignment) {
  const double mm = alignment.interval * 1000.0;
  if (!(std::isfinite(mm) && mm >= 1.0 && mm <= 1e9) || std::fabs(mm - std::round(mm)) > 1e-6)
    refuse(MappingRefused::Kind::badInterval);
  return {alignment.interval, std::llround(mm) * 1000};
}

struct RoadEnds {
  double begin, end;
  std::string beginName = "BP", endName = "EP";
};

RoadEnds roadEnds(const landxml::Alignment& alignment) {
  RoadEnds ends{alignment.staStart, alignment.staStart + alignment.length};
  if (!alignment.elements.empty()) {
    ends.begin = alignment.elements.front().start;
    ends.end = alignment.elements.back().end;
    if (!alignment.elements.front().startName.empty()) ends.beginName = alignment.elements.front().startName;
    if (!alignment.elements.back().endName.empty()) ends.endName = alignment.elements.back().endName;
  }
  // The ends of a stretch cut out of the alignment are no BP or EP.
  if (alignment.cutAtStart) ends.beginName.clear();
  if (alignment.cutAtEnd) ends.endName.clear();
  if (!(std::isfinite(ends.begin) && std::isfinite(ends.end) && ends.end - ends.begin >= kMergeDistance))
    refuse(MappingRefused::Kind::noGeometry);
  return ends;
}

// The whole stations of a stretch, as numbers: lowest to highest. To be
// listed (`listed`), they must be few enough and their numbers within the
// file format's; to be counted, they need not.
std::pair<double, double> wholeRange(const StationStretch& stretch, double interval, bool listed) {
  const double first = stretch.begin + stretch.offset, last = stretch.end + stretch.offset;
  if (listed && (last - first) / interval > kMaxWholeStations) refuse(MappingRefused::Kind::tooManyStations);
  const double lowest = std::ceil((first - kMergeDistance) / interval);
  const double highest = std::floor((last + kMergeDistance) / interval);
  if (listed && !(std::fabs(lowest) < INT_MAX && std::fabs(highest) < INT_MAX))
    refuse(MappingRefused::Kind::stationOutOfRange);
  return {lowest, highest};
}

std::vector<StationStretch> outline(const landxml::Alignment& alignment, const RoadEnds& ends, double interval,
                                    bool listed) {
  // Stretch boundaries: an equation at or before the road's start renumbers
  // the whole road; one at or after its end changes nothing. A backward
  // equation (ahead below back) makes the next stretch repeat display
  // stations of the one before; each stretch keeps its own.
  std::vector<landxml::StationEquation> equations = alignment.equations;
  std::stable_sort(equations.begin(), equations.end(),
                   [](const landxml::StationEquation& a, const landxml::StationEquation& b) { return a.internal < b.internal; });
  std::vector<StationStretch> stretches(1);
  stretches[0].begin = ends.begin;
  for (const landxml::StationEquation& e : equations) {
    if (!(e.internal < ends.end - kMergeDistance / 2)) continue;
    // An equation within a millimetre of the previous boundary replaces its numbering.
    if (e.internal - stretches.back().begin < kMergeDistance) {
      stretches.back().offset = e.ahead - e.internal;
    } else {
      stretches.back().end = e.internal;
      stretches.emplace_back();
      stretches.back().begin = e.internal;
      stretches.back().offset = e.ahead - e.internal;
    }
  }
  stretches.back().end = ends.end;
  double whole = 0;
  for (StationStretch& stretch : stretches) {
    const auto [lowest, highest] = wholeRange(stretch, interval, listed);
    const double count = highest >= lowest ? highest - lowest + 1 : 0;
    stretch.wholeStations = count < 1e15 ? static_cast<std::int64_t>(count) : static_cast<std::int64_t>(1e15);
    whole += count;
  }
  if (listed && whole > kMaxWholeStations) refuse(MappingRefused::Kind::tooManyStations);
  return stretches;
}

}  // namespace

std::vector<StationStretch> stretchOutline(const landxml::Alignment& alignment) {
  return outline(alignment, roadEnds(alignment), intervalOf(alignment).metres, false);
}

Stationing::Stationing(const landxml::Alignment& alignment) : interval_(0), intervalUm_(0) {
  const Interval interval = intervalOf(alignment);
  interval_ = interval.metres;
  intervalUm_ = interval.um;
  listStations(alignment);
}

StationLabel Stationing::labelOf(Micrometres display) const {
  const Micrometres number = floorDiv(display, intervalUm_);
  if (number > INT_MAX || number < INT_MIN + 1) refuse(MappingRefused::Kind::stationOutOfRange);
  return {static_cast<int>(number), toMetres(display - number * intervalUm_)};
}

Micrometres Stationing::displayOf(const StationLabel& label) const {
  return label.number * intervalUm_ + toMicrometres(label.plus);
}

void Stationing::listStations(const landxml::Alignment& alignment) {
  const RoadEnds ends = roadEnds(alignment);
  stretches_ = outline(alignment, ends, interval_, true);

  // Curve and clothoid ends, with their names.
  std::vector<Candidate> keyPoints;
  for (const landxml::GeometryElement& e : alignment.elements) {
    if (e.kind == landxml::GeometryElement::Kind::line) continue;
    keyPoints.push_back({e.start, Rank::keyPoint, e.startName});
    keyPoints.push_back({e.end, Rank::keyPoint, e.endName});
  }

  for (std::size_t k = 0; k < stretches_.size(); ++k) {
    StationStretch& stretch = stretches_[k];
    std::vector<Candidate> points;
    points.push_back({stretch.begin, Rank::end, k == 0 ? ends.beginName : std::string()});
    points.push_back({stretch.end, Rank::end, k + 1 == stretches_.size() ? ends.endName : std::string()});
    for (const Candidate& c : keyPoints)
      if (c.internal > stretch.begin - kMergeDistance && c.internal < stretch.end + kMergeDistance) points.push_back(c);

    const auto [lowest, highest] = wholeRange(stretch, interval_, true);
    for (double n = lowest; n <= highest; ++n) {
      const Micrometres display = static_cast<Micrometres>(n) * intervalUm_;
      const double internal = toMetres(display) - stretch.offset;
      if (internal > stretch.begin - kMergeDistance && internal < stretch.end + kMergeDistance)
        points.push_back({internal, Rank::whole, {}, display});
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const Candidate& a, const Candidate& b) { return a.internal < b.internal; });

    // Merge points closer than a millimetre to the first of their group.
    for (std::size_t i = 0; i < points.size();) {
      std::size_t j = i + 1;
      while (j < points.size() && points[j].internal - points[i].internal < kMergeDistance) ++j;
      const Candidate* chosen = &points[i];
      ListedStation station;
      station.firstMerged = points[i].internal;
      station.lastMerged = points[j - 1].internal;
      for (std::size_t m = i; m < j; ++m) {
        if (points[m].rank < chosen->rank) chosen = &points[m];
        addName(station.names, points[m].name);
      }
      station.display = chosen->rank == Rank::whole ? chosen->wholeDisplay
                                                    : roundToMillimetre(toMicrometres(chosen->internal + stretch.offset));
      station.label = labelOf(station.display);
      station.whole = station.label.plus == 0.0;
      station.internal = toMetres(station.display) - stretch.offset;
      // Rounding to the millimetre can bring two groups onto one position.
      if (!stretch.stations.empty() && stretch.stations.back().display >= station.display) {
        ListedStation& previous = stretch.stations.back();
        previous.lastMerged = station.lastMerged;
        for (const std::string& name : station.names) addName(previous.names, name);
      } else {
        stretch.stations.push_back(std::move(station));
      }
      i = j;
    }
    if (k > 0) {
      const StationStretch& before = stretches_[k - 1];
      stretch.distance = before.distance + (before.stations.back().display - before.stations.front().display);
    }
  }
  const StationStretch& first = stretches_.front();
  for (const ListedStation& s : first.stations)
    if (s.display == 0) zeroDistance_ = distanceOf(first, s);
  const StationStretch& last = stretches_.back();
  length_ = distanceOf(last, last.stations.back());
}

}  // namespace ps::import
