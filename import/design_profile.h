// The design's grade line and ground line as functions of the internal
// station: what every sheet's tables must reproduce.
#pragma once

#include <optional>
#include <vector>

#include "landxml/road_model.h"

namespace ps::import {

// The planned grade line: straight grades between the grade points and a
// symmetric parabola centred on every interior point that has a curve
// length. The first and last points never carry a curve. Before the first
// and after the last point the neighbouring grade goes on.
class GradeLine {
 public:
  // The points must be in strictly ascending stations (MappingRefused).
  explicit GradeLine(std::vector<landxml::GradePoint> points);

  double height(double station) const;
  double slope(double station) const;
  // The straight grades alone, from point to point (the tangents the
  // curves round off): level at the first point's height before it, the
  // last grade going on after the last point, as a sheet draws them.
  double tangentHeight(double station) const;

  const std::vector<landxml::GradePoint>& points() const { return points_; }
  // Curve length of point i as drawn (0 for the first and the last).
  double curveLength(std::size_t i) const;
  // The grade from point i to point i + 1.
  double grade(std::size_t i) const { return grades_[i]; }

 private:
  // The interior point whose curve holds the station, if any.
  std::optional<std::size_t> curveAt(double station) const;
  // The point that starts the straight holding the station.
  std::size_t straightAt(double station) const;

  std::vector<landxml::GradePoint> points_;
  std::vector<double> grades_;
};

// The ground line: straight between its points (in ascending stations; a
// point that does not advance is dropped). No height farther than a
// millimetre outside its ends.
class GroundLine {
 public:
  explicit GroundLine(const std::vector<landxml::GroundPoint>& points);

  std::optional<double> height(double station) const;
  const std::vector<landxml::GroundPoint>& points() const { return points_; }

 private:
  std::vector<landxml::GroundPoint> points_;
};

}  // namespace ps::import
