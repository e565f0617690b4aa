#include "landxml/cross_section_superelevation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <initializer_list>
#include <map>

namespace ps::landxml {

namespace {

bool containsAsciiIgnoringCase(std::string_view text, std::string_view word) {
  if (word.size() > text.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < word.size() && lower(text[i + k]) == word[k]) ++k;
    if (k == word.size()) return true;
  }
  return false;
}

bool mentions(std::string_view name, std::string_view desc, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words)
    if (containsAsciiIgnoringCase(name, w) || containsAsciiIgnoringCase(desc, w)) return true;
  return false;
}

using Sample = CrossfallProfile::Sample;

bool level(double a, double b) { return std::fabs(a - b) <= kCrossfallTolerance; }

// The level kept over the longest stretch, by 0.1 % steps, and its mean
// there; `alike` the other side's samples that must keep the same level
// alongside (the same stations), or none.
std::optional<double> longestLevel(const std::vector<Sample>& side, const std::vector<Sample>* alike) {
  struct Bucket {
    double length = 0.0, weighted = 0.0;
  };
  std::map<long long, Bucket> buckets;
  for (std::size_t i = 0; i + 1 < side.size(); ++i) {
    const Sample &a = side[i], &b = side[i + 1];
    const double length = b.station - a.station;
    if (!(length > 0.0) || !level(a.crossfall, b.crossfall)) continue;
    if (alike) {
      const Sample &p = (*alike)[i], &q = (*alike)[i + 1];
      if (!level(p.crossfall, q.crossfall) || !level(a.crossfall, p.crossfall)) continue;
    }
    Bucket& bucket = buckets[std::llround(a.crossfall * 10)];
    bucket.length += length;
    bucket.weighted += length * (a.crossfall + b.crossfall) / 2;
  }
  const Bucket* best = nullptr;
  for (const auto& [key, bucket] : buckets)
    if (!best || bucket.length > best->length) best = &bucket;
  if (!best) return std::nullopt;
  return best->weighted / best->length;
}

// Walks from sample `from` towards `limit` (one step `step` = -1 or +1 at a
// time) while the samples stay on one straight line through `from`,
// within the tolerance; returns the last sample on it.
std::size_t rampEnd(const std::vector<Sample>& side, std::size_t from, std::size_t limit, int step) {
  double low = -std::numeric_limits<double>::infinity(), high = std::numeric_limits<double>::infinity();
  std::size_t end = from;
  const Sample& f = side[from];
  while (end != limit) {
    const std::size_t next = step < 0 ? end - 1 : end + 1;
    const Sample& p = side[next];
    const double run = p.station - f.station;
    if (run == 0.0) break;  // a step at one station
    // The slopes through `from` that pass within the tolerance of p.
    double a = (p.crossfall - kCrossfallTolerance - f.crossfall) / run;
    double b = (p.crossfall + kCrossfallTolerance - f.crossfall) / run;
    if (a > b) std::swap(a, b);
    low = std::max(low, a);
    high = std::min(high, b);
    if (low > high) break;
    end = next;
  }
  return end;
}

// Where the straight line through samples `rampStart` and `top` reaches
// `level`: `top` itself without a ramp.
double lineCrossing(const std::vector<Sample>& side, std::size_t top, std::size_t rampStart, double level) {
  const Sample &t = side[top], &r = side[rampStart];
  if (rampStart == top) return t.station;
  const double slope = (t.crossfall - r.crossfall) / (t.station - r.station);
  if (!(std::fabs(slope) > 0.0)) return t.station;
  return t.station + (level - t.crossfall) / slope;
}

double clampedBetween(double value, double a, double b) { return std::clamp(value, std::min(a, b), std::max(a, b)); }

void addRuns(const std::vector<Sample>& side, double normal, SuperelevationRun::Side raised,
             std::vector<SuperelevationRun>& runs) {
  // The index ranges where the side lies above its normal crossfall.
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  for (std::size_t i = 0; i < side.size(); ++i) {
    if (!(side[i].crossfall > normal + kCrossfallTolerance)) continue;
    if (!ranges.empty() && ranges.back().second + 1 == i)
      ranges.back().second = i;
    else
      ranges.emplace_back(i, i);
  }
  // A ramp is walked no farther than the plateau of the run before it, or
  // the start of the run after it, so the walks cover each sample a few
  // times at most.
  std::size_t previousRunoff = 0;
  for (std::size_t k = 0; k < ranges.size(); ++k) {
    const auto [a, b] = ranges[k];
    double peak = side[a].crossfall;
    for (std::size_t i = a; i <= b; ++i) peak = std::max(peak, side[i].crossfall);
    std::size_t full = a, runoff = b;
    while (side[full].crossfall < peak - kCrossfallTolerance) ++full;
    while (side[runoff].crossfall < peak - kCrossfallTolerance) --runoff;
    // The plateau's level: the median of the sections near the peak, which
    // the ramps' last sections below it do not move.
    std::vector<double> near;
    for (std::size_t i = full; i <= runoff; ++i)
      if (side[i].crossfall >= peak - kCrossfallTolerance) near.push_back(side[i].crossfall);
    std::nth_element(near.begin(), near.begin() + static_cast<std::ptrdiff_t>(near.size() / 2), near.end());
    const double plateau = near[near.size() / 2];
    // The next run bounds this one's ramp down.
    const std::size_t nextRun = k + 1 < ranges.size() ? ranges[k + 1].first : side.size() - 1;
    const std::size_t up = rampEnd(side, full, previousRunoff, -1);
    const std::size_t down = rampEnd(side, runoff, nextRun, +1);
    SuperelevationRun run;
    // Full superelevation where the ramps reach the plateau: at its first
    // and last sections, or between them and their neighbours when those
    // lie on the ramps just below it.
    run.fullSuper = clampedBetween(lineCrossing(side, full, up, plateau), side[full].station,
                                   side[full + 1 <= runoff ? full + 1 : full].station);
    run.runoff = clampedBetween(lineCrossing(side, runoff, down, plateau), side[runoff].station,
                                side[runoff >= full + 1 ? runoff - 1 : runoff].station);
    if (run.fullSuper > run.runoff) run.fullSuper = run.runoff = (run.fullSuper + run.runoff) / 2;
    // Leaving and regaining the normal crossfall: the ramp start when it
    // lies on it, else where the ramp crosses it, not beyond the section
    // before the ramp (or after it).
    const auto leaves = [&](std::size_t from, std::size_t rampStart, std::size_t outer, double bound) {
      if (level(side[rampStart].crossfall, normal)) return side[rampStart].station;
      return clampedBetween(lineCrossing(side, from, rampStart, normal), side[outer].station, bound);
    };
    run.beginRunoff = up == full ? run.fullSuper : leaves(full, up, up > 0 ? up - 1 : up, run.fullSuper);
    run.endRunout =
        down == runoff ? run.runoff : leaves(runoff, down, down + 1 < side.size() ? down + 1 : down, run.runoff);
    run.fullSuperelev = std::round(plateau * 10) / 10;
    run.raised = raised;
    runs.push_back(run);
    previousRunoff = runoff;
  }
}

std::optional<double> interpolated(const std::vector<Sample>& side, double station) {
  if (side.empty() || station < side.front().station || station > side.back().station) return std::nullopt;
  const auto after = std::upper_bound(side.begin(), side.end(), station,
                                      [](double s, const Sample& p) { return s < p.station; });
  if (after == side.end()) return side.back().crossfall;
  const Sample &b = *after, &a = *(after - 1);
  if (b.station == a.station) return b.crossfall;
  return a.crossfall + (b.crossfall - a.crossfall) * (station - a.station) / (b.station - a.station);
}

}  // namespace

bool isCarriageway(std::string_view name, std::string_view desc) {
  if (mentions(name, desc, {"\xe6\xad\xa9\xe9\x81\x93", "\xe8\xb7\xaf\xe8\x82\xa9", "sidewalk", "footway", "shoulder"}))
    return false;  // 歩道, 路肩
  return mentions(name, desc,
                  {"\xe8\xbb\x8a\xe9\x81\x93", "\xe8\xb7\xaf\xe9\x9d\xa2", "\xe8\x88\x97\xe8\xa3\x85", "carriageway",
                   "roadway", "pavement", "road surface"});  // 車道, 路面, 舗装
}

std::optional<double> crossfallOf(const std::vector<SectionPoint>& points) {
  if (points.empty()) return std::nullopt;
  const auto byDistance = [](const SectionPoint& a, const SectionPoint& b) {
    return std::fabs(a.offset) < std::fabs(b.offset);
  };
  const SectionPoint& inner = *std::min_element(points.begin(), points.end(), byDistance);
  const SectionPoint& outer = *std::max_element(points.begin(), points.end(), byDistance);
  const double width = std::fabs(outer.offset) - std::fabs(inner.offset);
  if (!(width >= 0.01)) return std::nullopt;
  const double percent = (outer.height - inner.height) / width * 100;
  if (!(std::fabs(percent) <= kMaxCrossfall)) return std::nullopt;
  return percent;
}

CrossfallProfile::CrossfallProfile(std::vector<SectionCrossfall> sections) {
  std::stable_sort(sections.begin(), sections.end(),
                   [](const SectionCrossfall& a, const SectionCrossfall& b) { return a.station < b.station; });
  for (const SectionCrossfall& s : sections) {
    if (s.left) left_.push_back({s.station, *s.left});
    if (s.right) right_.push_back({s.station, *s.right});
  }
}

std::vector<SuperelevationRun> CrossfallProfile::runs() const {
  const std::vector<Sample>&left = left_, &right = right_;
  // The crown, where both sides have a crossfall at the same stations.
  std::optional<double> crown;
  bool paired = left.size() == right.size();
  for (std::size_t i = 0; paired && i < left.size(); ++i) paired = left[i].station == right[i].station;
  if (paired) crown = longestLevel(left, &right);
  std::vector<SuperelevationRun> runs;
  const std::optional<double> leftNormal = crown ? crown : longestLevel(left, nullptr);
  const std::optional<double> rightNormal = crown ? crown : longestLevel(right, nullptr);
  if (leftNormal) addRuns(left, *leftNormal, SuperelevationRun::Side::left, runs);
  if (rightNormal) addRuns(right, *rightNormal, SuperelevationRun::Side::right, runs);
  std::stable_sort(runs.begin(), runs.end(),
                   [](const SuperelevationRun& a, const SuperelevationRun& b) { return a.fullSuper < b.fullSuper; });
  return runs;
}

std::optional<double> CrossfallProfile::higherAt(double station) const {
  const std::optional<double> l = interpolated(left_, station);
  const std::optional<double> r = interpolated(right_, station);
  if (l && r) return std::max(*l, *r);
  return l ? l : r;
}

}  // namespace ps::landxml
