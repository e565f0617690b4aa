// The lengths and radii of plan elements from their points, for files that
// leave the optional attributes out (LandXML makes Line@length,
// Curve@length and Curve@radius optional because the points give them).
#pragma once

#include <optional>

#include "landxml/road_model.h"

namespace ps::landxml {

// The length of a straight from Start to End.
double lineLength(const PlanPoint& start, const PlanPoint& end);

struct ArcFromPoints {
  double radius = 0.0;  // from Center to Start
  double length = 0.0;  // along the arc from Start to End, turning `rotation`
};

// The arc about `centre` from `start` to `end`, turning clockwise
// (rotation +1) or counter-clockwise (-1) as seen on the map (east right,
// north up). Empty when the points give no arc: Start on the centre, or End
// in Start's direction from it (no turn at all).
std::optional<ArcFromPoints> arcFromPoints(const PlanPoint& start, const PlanPoint& centre, const PlanPoint& end,
                                           int rotation);

}  // namespace ps::landxml
