// Horizontal curve groups of an alignment (clothoid-arc-clothoid from KA to
// KA, or an arc from BC to EC) and the superelevation run of each.
#pragma once

#include <optional>
#include <vector>

#include "landxml/road_model.h"

namespace ps::import {

struct CurveGroup {
  double begin = 0.0;  // internal stations of the first and the last key point
  double end = 0.0;
  int rotation = 0;    // +1 cw (turning right), -1 ccw (turning left)
  double radius = 0.0; // the arc radius; the smallest one when there are several
  bool compound = false;  // arcs of different radii
  std::optional<std::size_t> superelevation;  // index into Alignment::superelevation
  std::size_t firstElement = 0;  // the group's elements, indices into Alignment::elements
  std::size_t lastElement = 0;
};

// The radius as the curve table signs it. A positive radius steps below the
// centre line of the curvature diagram and raises the right side of the road
// in the superelevation diagram. A curve raises its outer side, and a road
// turning left (ccw) has its outer side on the right: ccw is positive, cw
// negative.
double signedRadius(const CurveGroup& group);

// Consecutive curve and clothoid elements turning the same way form one
// group; a line or a change of direction ends it. A group without any finite
// radius (clothoids to infinity on both sides) is no curve and is left out.
std::vector<CurveGroup> findCurveGroups(const std::vector<landxml::GeometryElement>& elements);

// Gives each group the superelevation run that overlaps it most. Returns the
// indices of the runs that went to no group (they overlap none, or another
// run overlaps their group more).
std::vector<std::size_t> pairSuperelevation(std::vector<CurveGroup>& groups,
                                            const std::vector<landxml::SuperelevationRun>& runs);

// The stretch a run changes the crossfall over: from the start of its
// run-off to the end of its run-out.
double runBegin(const landxml::SuperelevationRun& run);
double runEnd(const landxml::SuperelevationRun& run);

}  // namespace ps::import
