#include "landxml/plan_geometry.h"

#include <cmath>
#include <numbers>

namespace ps::landxml {

double lineLength(const PlanPoint& start, const PlanPoint& end) {
  return std::hypot(end.northing - start.northing, end.easting - start.easting);
}

std::optional<ArcFromPoints> arcFromPoints(const PlanPoint& start, const PlanPoint& centre, const PlanPoint& end,
                                           int rotation) {
  // Vectors from the centre, x east and y north, so that a positive angle
  // turns counter-clockwise on the map.
  const double ax = start.easting - centre.easting, ay = start.northing - centre.northing;
  const double bx = end.easting - centre.easting, by = end.northing - centre.northing;
  const double radius = std::hypot(ax, ay);
  if (!(radius > 0.0) || !(std::hypot(bx, by) > 0.0)) return std::nullopt;
  const double counterClockwise = std::atan2(ax * by - ay * bx, ax * bx + ay * by);  // (-pi, pi]
  double sweep = rotation < 0 ? counterClockwise : -counterClockwise;
  if (sweep < 0.0) sweep += 2 * std::numbers::pi;
  if (!(sweep > 0.0) || !std::isfinite(sweep)) return std::nullopt;
  return ArcFromPoints{radius, radius * sweep};
}

}  // namespace ps::landxml
