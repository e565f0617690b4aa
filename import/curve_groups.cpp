#include "import/curve_groups.h"

#include <algorithm>
#include <cmath>

namespace ps::import {

double signedRadius(const CurveGroup& group) { return group.rotation > 0 ? -group.radius : group.radius; }

std::vector<CurveGroup> findCurveGroups(const std::vector<landxml::GeometryElement>& elements) {
  std::vector<CurveGroup> groups;
  bool open = false;
  double arcRadius = 0.0, spiralRadius = 0.0;  // smallest so far, 0 for none
  auto close = [&] {
    if (!open) return;
    open = false;
    CurveGroup& g = groups.back();
    g.radius = arcRadius > 0 ? arcRadius : spiralRadius;
    if (!(g.radius > 0)) groups.pop_back();
  };
  auto smallest = [](double current, double r) {
    return std::isfinite(r) && r > 0 && (current == 0.0 || r < current) ? r : current;
  };
  for (std::size_t k = 0; k < elements.size(); ++k) {
    const landxml::GeometryElement& e = elements[k];
    if (e.kind == landxml::GeometryElement::Kind::line) {
      close();
      continue;
    }
    if (open && e.rotation != groups.back().rotation) close();
    if (!open) {
      open = true;
      arcRadius = spiralRadius = 0.0;
      groups.push_back({e.start, e.end, e.rotation, 0.0, false, std::nullopt, k, k});
    }
    CurveGroup& g = groups.back();
    g.end = e.end;
    g.lastElement = k;
    if (e.kind == landxml::GeometryElement::Kind::curve) {
      if (arcRadius > 0 && e.radius != arcRadius) g.compound = true;
      arcRadius = smallest(arcRadius, e.radius);
    } else {
      spiralRadius = smallest(smallest(spiralRadius, e.radiusStart), e.radiusEnd);
    }
  }
  close();
  return groups;
}

double runBegin(const landxml::SuperelevationRun& run) { return std::min(run.beginRunoff, run.fullSuper); }
double runEnd(const landxml::SuperelevationRun& run) { return std::max(run.runoff, run.endRunout); }

std::vector<std::size_t> pairSuperelevation(std::vector<CurveGroup>& groups,
                                            const std::vector<landxml::SuperelevationRun>& runs) {
  std::vector<double> bestOverlap(groups.size(), 0.0);
  std::vector<std::size_t> unpaired;
  for (CurveGroup& g : groups) g.superelevation.reset();
  for (std::size_t r = 0; r < runs.size(); ++r) {
    std::optional<std::size_t> best;
    double bestLength = 0.0;
    for (std::size_t k = 0; k < groups.size(); ++k) {
      const double overlap = std::min(runEnd(runs[r]), groups[k].end) - std::max(runBegin(runs[r]), groups[k].begin);
      if (overlap > bestLength) best = k, bestLength = overlap;
    }
    if (!best) {
      unpaired.push_back(r);
      continue;
    }
    if (groups[*best].superelevation) {
      if (bestOverlap[*best] >= bestLength) {
        unpaired.push_back(r);
        continue;
      }
      unpaired.push_back(*groups[*best].superelevation);
    }
    groups[*best].superelevation = r;
    bestOverlap[*best] = bestLength;
  }
  std::sort(unpaired.begin(), unpaired.end());
  return unpaired;
}

}  // namespace ps::import
