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

Stationing::Stationing(const landxml::Alignment& alignment) : interval_(alignment.interval), intervalUm_(0) {
  const double mm = interval_ * 1000.0;
  if (!(std::isfinite(mm) && mm >= 1.0 && mm <= 1e9) || std::fabs(mm - std::round(mm)) > 1e-6)
    refuse(MappingRefused::Kind::badInterval);
  intervalUm_ = std::llround(mm) * 1000;
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
  double begin = alignment.staStart, end = alignment.staStart + alignment.length;
  std::string beginName = "BP", endName = "EP";
  if (!alignment.elements.empty()) {
    begin = alignment.elements.front().start;
    end = alignment.elements.back().end;
    if (!alignment.elements.front().startName.empty()) beginName = alignment.elements.front().startName;
    if (!alignment.elements.back().endName.empty()) endName = alignment.elements.back().endName;
  }
  // The ends of a stretch cut out of the alignment are no BP or EP.
  if (alignment.cutAtStart) beginName.clear();
  if (alignment.cutAtEnd) endName.clear();
  if (!(std::isfinite(begin) && std::isfinite(end) && end - begin >= kMergeDistance))
    refuse(MappingRefused::Kind::noGeometry);

  // Stretch boundaries: an equation at or before the road's start renumbers
  // the whole road; one at or after its end changes nothing.
  std::vector<landxml::StationEquation> equations = alignment.equations;
  std::stable_sort(equations.begin(), equations.end(),
                   [](const landxml::StationEquation& a, const landxml::StationEquation& b) { return a.internal < b.internal; });
  std::vector<std::pair<double, double>> starts{{begin, 0.0}};  // internal start, offset
  for (const landxml::StationEquation& e : equations) {
    if (!(e.internal < end - kMergeDistance / 2)) continue;
    // An equation within a millimetre of the previous boundary replaces its numbering.
    if (e.internal - starts.back().first < kMergeDistance)
      starts.back().second = e.ahead - e.internal;
    else
      starts.emplace_back(e.internal, e.ahead - e.internal);
  }

  // Curve and clothoid ends, with their names.
  std::vector<Candidate> keyPoints;
  for (const landxml::GeometryElement& e : alignment.elements) {
    if (e.kind == landxml::GeometryElement::Kind::line) continue;
    keyPoints.push_back({e.start, Rank::keyPoint, e.startName});
    keyPoints.push_back({e.end, Rank::keyPoint, e.endName});
  }

  for (std::size_t k = 0; k < starts.size(); ++k) {
    StationStretch stretch;
    stretch.begin = starts[k].first;
    stretch.end = k + 1 < starts.size() ? starts[k + 1].first : end;
    stretch.offset = starts[k].second;

    std::vector<Candidate> points;
    points.push_back({stretch.begin, Rank::end, k == 0 ? beginName : std::string()});
    points.push_back({stretch.end, Rank::end, k + 1 == starts.size() ? endName : std::string()});
    for (const Candidate& c : keyPoints)
      if (c.internal > stretch.begin - kMergeDistance && c.internal < stretch.end + kMergeDistance) points.push_back(c);

    const double first = stretch.begin + stretch.offset, last = stretch.end + stretch.offset;
    if ((last - first) / interval_ > kMaxWholeStations) refuse(MappingRefused::Kind::tooManyStations);
    const double lowest = std::ceil((first - kMergeDistance) / interval_);
    const double highest = std::floor((last + kMergeDistance) / interval_);
    if (!(std::fabs(lowest) < INT_MAX && std::fabs(highest) < INT_MAX))
      refuse(MappingRefused::Kind::stationOutOfRange);
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
    stretches_.push_back(std::move(stretch));
  }
}

}  // namespace ps::import
