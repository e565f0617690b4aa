#include "landxml/curve_conversion.h"

#include <algorithm>
#include <cmath>

namespace ps::landxml {

namespace {

// Samples per piece when the deviation is measured; the difference of a
// circle and a parabola is smooth, so its largest value is found to well
// below a micrometre.
constexpr int kSamplesPerPiece = 48;

// The height at `station` of the grade line through `points` (straight
// grades, a symmetric parabola at each interior point with a length), as a
// sheet draws it. The first and last points are anchors on the grades.
double drawn(const std::vector<GradePoint>& points, double station) {
  for (std::size_t i = 1; i + 1 < points.size(); ++i) {
    const GradePoint& p = points[i];
    if (p.curveLength > 0.0 && std::fabs(station - p.station) <= p.curveLength / 2) {
      const double in = (p.height - points[i - 1].height) / (p.station - points[i - 1].station);
      const double out = (points[i + 1].height - p.height) / (points[i + 1].station - p.station);
      const double d = station - (p.station - p.curveLength / 2);
      return p.height + in * (station - p.station) + (out - in) * d * d / (2 * p.curveLength);
    }
  }
  std::size_t i = 0;
  while (i + 2 < points.size() && station > points[i + 1].station) ++i;
  const GradePoint &a = points[i], &b = points[i + 1];
  return a.height + (b.height - a.height) * (station - a.station) / (b.station - a.station);
}

// The slope of the circle at a station between its tangent points.
double circleSlope(const VerticalCircle& c, double centreStation, double sag, double station) {
  const double dx = station - centreStation;
  return sag * dx / std::sqrt(c.radius * c.radius - dx * dx);
}

std::vector<GradePoint> pieces(const VerticalCircle& c, int count) {
  if (count == 1) return {{c.station, c.height, c.end - c.begin}};
  const double sag = c.gradeOut > c.gradeIn ? 1.0 : -1.0;
  const double centreStation = c.begin - sag * c.radius * std::sin(std::atan(c.gradeIn));
  const double length = (c.end - c.begin) / count;
  std::vector<GradePoint> out;
  const double first = c.begin + length / 2, last = c.end - length / 2;
  const double firstHeight = c.height + c.gradeIn * (first - c.station);
  const double lastHeight = c.height + c.gradeOut * (last - c.station);
  // The slopes between neighbouring PVIs: the circle's at each joint, all
  // moved alike so that the last PVI lands on the grade out.
  std::vector<double> slopes;
  double sum = 0.0;
  for (int j = 1; j < count; ++j) {
    slopes.push_back(circleSlope(c, centreStation, sag, c.begin + j * length));
    sum += slopes.back();
  }
  const double shift = ((lastHeight - firstHeight) / length - sum) / (count - 1);
  double height = firstHeight;
  out.push_back({first, height, length});
  for (int j = 1; j < count; ++j) {
    height += (slopes[static_cast<std::size_t>(j - 1)] + shift) * length;
    out.push_back({c.begin + (j + 0.5) * length, height, length});
  }
  out.back().station = last;
  out.back().height = lastHeight;
  return out;
}

// The largest difference between the drawn pieces and the circle, over the
// circle and the pieces' own reach.
double deviation(const VerticalCircle& c, const std::vector<GradePoint>& parts) {
  const double reach = c.end - c.begin + 1.0;
  std::vector<GradePoint> line;
  line.push_back({c.begin - reach, c.height + c.gradeIn * (c.begin - reach - c.station), 0.0});
  line.insert(line.end(), parts.begin(), parts.end());
  line.push_back({c.end + reach, c.height + c.gradeOut * (c.end + reach - c.station), 0.0});
  const double from = std::min(c.begin, parts.front().station - parts.front().curveLength / 2);
  const double to = std::max(c.end, parts.back().station + parts.back().curveLength / 2);
  const int samples = kSamplesPerPiece * static_cast<int>(parts.size() + 1);
  double worst = 0.0;
  for (int k = 0; k <= samples; ++k) {
    const double s = from + (to - from) * k / samples;
    worst = std::max(worst, std::fabs(drawn(line, s) - heightWithCircle(c, s)));
  }
  return worst;
}

}  // namespace

VerticalCircle verticalCircle(double station, double height, double gradeIn, double gradeOut, double radius) {
  VerticalCircle c{station, height, gradeIn, gradeOut, radius, station, station, 0.0};
  const double in = std::atan(gradeIn), out = std::atan(gradeOut);
  const double turn = std::fabs(out - in);
  if (!(turn > 0.0)) return c;
  const double tangent = radius * std::tan(turn / 2);
  c.begin = station - tangent * std::cos(in);
  c.end = station + tangent * std::cos(out);
  c.arcLength = radius * turn;
  return c;
}

double circleRadiusForLength(double gradeIn, double gradeOut, double length) {
  const double in = std::atan(gradeIn), out = std::atan(gradeOut);
  const double turn = std::fabs(out - in);
  if (!(turn > 0.0)) return 0.0;
  return length / ((std::cos(in) + std::cos(out)) * std::tan(turn / 2));
}

double heightWithCircle(const VerticalCircle& c, double station) {
  if (station <= c.begin || c.end <= c.begin) return c.height + c.gradeIn * (station - c.station);
  if (station >= c.end) return c.height + c.gradeOut * (station - c.station);
  const double sag = c.gradeOut > c.gradeIn ? 1.0 : -1.0;
  const double in = std::atan(c.gradeIn);
  const double beginHeight = c.height + c.gradeIn * (c.begin - c.station);
  const double centreStation = c.begin - sag * c.radius * std::sin(in);
  const double centreHeight = beginHeight + sag * c.radius * std::cos(in);
  const double dx = station - centreStation;
  return centreHeight - sag * std::sqrt(c.radius * c.radius - dx * dx);
}

CircleParabolas circleAsParabolas(const VerticalCircle& c) {
  CircleParabolas result;
  if (!(c.end > c.begin)) {
    result.points = {{c.station, c.height, 0.0}};
    result.followed = true;
    return result;
  }
  // The deviation falls with the square of the pieces' count: start near
  // the count that one piece's deviation asks for.
  const double single = deviation(c, pieces(c, 1));
  int count = 1;
  if (!(single <= kCircleTolerance)) {
    const double estimate = std::sqrt(single / kCircleTolerance);
    count = estimate < kMaxCirclePieces ? std::max(2, static_cast<int>(estimate)) : kMaxCirclePieces;
  }
  for (;; ++count) {
    result.points = pieces(c, count);
    result.deviation = count == 1 ? single : deviation(c, result.points);
    result.followed = result.deviation <= kCircleTolerance;
    if (result.followed || count == kMaxCirclePieces) return result;
  }
}

std::vector<GradePoint> unsymmetricAsParabolas(double station, double height, double gradeIn, double gradeOut,
                                               double lengthIn, double lengthOut) {
  return {{station - lengthIn / 2, height - gradeIn * lengthIn / 2, lengthIn},
          {station + lengthOut / 2, height + gradeOut * lengthOut / 2, lengthOut}};
}

}  // namespace ps::landxml
