// The captions of a curve group as a designer reads them: its intersection
// angle, curve length, tangent length and secant length, from the lengths
// and radii of its elements.
#pragma once

#include <optional>
#include <vector>

#include "import/curve_groups.h"
#include "landxml/road_model.h"

namespace ps::import {

struct GroupFacts {
  double intersectionAngle = 0.0;  // IA: the group's whole deflection, decimal degrees, > 0
  double curveLength = 0.0;        // CL: from the first to the last key point, m
  double tangentLength = 0.0;      // TL: from the intersection point to the group's start, m
  double secantLength = 0.0;       // SL: from the intersection point to the nearest point of the curve, m
};

// The group is laid out in a frame of its own: its start at the origin,
// heading along x, each element turning by its curvature (linear along a
// clothoid, constant along an arc). The intersection point is where the
// tangents at the group's two ends meet. A group that turns by less than a
// millionth of a radian or by 180 degrees or more has no intersection point
// ahead of it: its TL and SL are 0.
GroupFacts groupFacts(const std::vector<landxml::GeometryElement>& elements, const CurveGroup& group);

}  // namespace ps::import
