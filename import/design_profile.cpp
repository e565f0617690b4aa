#include "import/design_profile.h"

#include <algorithm>
#include <cmath>

#include "import/mapping_refused.h"

namespace ps::import {

GradeLine::GradeLine(std::vector<landxml::GradePoint> points) : points_(std::move(points)) {
  if (points_.empty()) throw MappingRefused{MappingRefused::Kind::noProfile, std::nullopt};
  for (std::size_t i = 0; i + 1 < points_.size(); ++i) {
    if (!(points_[i + 1].station > points_[i].station))
      throw MappingRefused{MappingRefused::Kind::gradeNotAscending, std::nullopt};
    grades_.push_back((points_[i + 1].height - points_[i].height) / (points_[i + 1].station - points_[i].station));
  }
}

double GradeLine::curveLength(std::size_t i) const {
  return i == 0 || i + 1 == points_.size() ? 0.0 : points_[i].curveLength;
}

std::optional<std::size_t> GradeLine::curveAt(double station) const {
  for (std::size_t i = 1; i + 1 < points_.size(); ++i) {
    const double half = curveLength(i) / 2;
    if (half > 0 && std::fabs(station - points_[i].station) <= half) return i;
  }
  return std::nullopt;
}

std::size_t GradeLine::straightAt(double station) const {
  if (points_.size() < 2) return 0;
  // The last point at or before the station, kept below the last point.
  auto after = std::upper_bound(points_.begin(), points_.end(), station,
                                [](double s, const landxml::GradePoint& p) { return s < p.station; });
  std::size_t i = after == points_.begin() ? 0 : static_cast<std::size_t>(after - points_.begin()) - 1;
  return std::min(i, points_.size() - 2);
}

double GradeLine::height(double station) const {
  if (points_.size() == 1) return points_[0].height;
  if (auto i = curveAt(station)) {
    const landxml::GradePoint& p = points_[*i];
    const double length = curveLength(*i);
    const double g1 = grades_[*i - 1], g2 = grades_[*i];
    const double d = station - (p.station - length / 2);
    return p.height + g1 * (station - p.station) + (g2 - g1) * d * d / (2 * length);
  }
  const std::size_t k = straightAt(station);
  return points_[k].height + grades_[k] * (station - points_[k].station);
}

double GradeLine::tangentHeight(double station) const {
  if (points_.size() == 1 || station <= points_.front().station) return points_.front().height;
  const std::size_t k = straightAt(station);
  return points_[k].height + grades_[k] * (station - points_[k].station);
}

double GradeLine::slope(double station) const {
  if (points_.size() == 1) return 0.0;
  if (auto i = curveAt(station)) {
    const double length = curveLength(*i);
    const double g1 = grades_[*i - 1], g2 = grades_[*i];
    return g1 + (g2 - g1) * (station - (points_[*i].station - length / 2)) / length;
  }
  return grades_[straightAt(station)];
}

GroundLine::GroundLine(const std::vector<landxml::GroundPoint>& points) {
  for (const landxml::GroundPoint& p : points)
    if (points_.empty() || p.station > points_.back().station) points_.push_back(p);
}

std::optional<double> GroundLine::height(double station) const {
  // A station rounded to the millimetre may lie just outside a line that
  // ends at the road's end: it takes the end's height.
  constexpr double kReach = 0.001;
  if (points_.empty() || station <= points_.front().station - kReach || station >= points_.back().station + kReach)
    return std::nullopt;
  if (station <= points_.front().station) return points_.front().height;
  if (station >= points_.back().station) return points_.back().height;
  auto after = std::lower_bound(points_.begin(), points_.end(), station,
                                [](const landxml::GroundPoint& p, double s) { return p.station < s; });
  if (after->station == station) return after->height;
  const landxml::GroundPoint& a = *(after - 1);
  const landxml::GroundPoint& b = *after;
  return a.height + (b.height - a.height) * (station - a.station) / (b.station - a.station);
}

}  // namespace ps::import
