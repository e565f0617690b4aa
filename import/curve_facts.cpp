#include "import/curve_facts.h"

#include <algorithm>
#include <cmath>

namespace ps::import {

namespace {

constexpr double kPi = 3.14159265358979323846;
// A clothoid is integrated by Simpson's rule in steps of at most a metre
// (its position error stays far below a micrometre for any radius a road
// has), and in at most this many steps, so that no element costs more.
constexpr double kStep = 1.0;
constexpr int kMinSteps = 16;
constexpr int kMaxSteps = 4096;
// Points of the curve tried for the nearest one, where it is not found on
// the arc directly.
constexpr int kMaxSamples = 2048;

struct Point {
  double x = 0.0, y = 0.0;
};

double distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

int simpsonSteps(double span) {
  return std::clamp(2 * static_cast<int>(std::ceil(std::fabs(span) / (2 * kStep))), kMinSteps, kMaxSteps);
}

// One element in the group's frame: where it starts, its heading there and
// its signed curvature at both ends (positive turning left).
struct Piece {
  Point start;
  double heading = 0.0;
  double length = 0.0;
  double k0 = 0.0, k1 = 0.0;

  bool arc() const { return k0 == k1 && k0 != 0.0; }
  double headingAt(double s) const { return heading + k0 * s + (k1 - k0) * s * s / (2 * length); }
  // The point at s: closed form on a line or an arc, by Simpson's rule from
  // `from` (a point of the piece at `fromS`) on a clothoid.
  Point pointAt(double s, Point from, double fromS) const {
    if (k0 == k1) {
      if (k0 == 0.0) return {start.x + s * std::cos(heading), start.y + s * std::sin(heading)};
      const double t = headingAt(s);
      return {start.x + (std::sin(t) - std::sin(heading)) / k0, start.y - (std::cos(t) - std::cos(heading)) / k0};
    }
    const double span = s - fromS;
    const int steps = simpsonSteps(span);
    const double h = span / steps;
    double sx = 0.0, sy = 0.0;
    for (int i = 0; i <= steps; ++i) {
      const double w = i == 0 || i == steps ? 1.0 : i % 2 == 1 ? 4.0 : 2.0;
      const double t = headingAt(fromS + h * i);
      sx += w * std::cos(t);
      sy += w * std::sin(t);
    }
    return {from.x + sx * h / 3, from.y + sy * h / 3};
  }
};

double curvature(double radius, int sign) { return std::isfinite(radius) && radius > 0 ? sign / radius : 0.0; }

// The distance from `ip` to the one arc of the group, where the point of
// its circle nearest to `ip` lies on the arc.
std::optional<double> toTheArc(const std::vector<Piece>& pieces, Point ip) {
  const Piece* arc = nullptr;
  for (const Piece& p : pieces) {
    if (!p.arc()) continue;
    if (arc) return std::nullopt;
    arc = &p;
  }
  if (!arc) return std::nullopt;
  const double r = 1 / arc->k0;  // signed: the centre lies to the left for r > 0
  const Point centre{arc->start.x - r * std::sin(arc->heading), arc->start.y + r * std::cos(arc->heading)};
  // The angle, seen from the centre, of the arc's start and of `ip`, and how
  // far along the arc that is.
  const double a0 = std::atan2(arc->start.y - centre.y, arc->start.x - centre.x);
  const double a = std::atan2(ip.y - centre.y, ip.x - centre.x);
  double turn = (a - a0) * (r > 0 ? 1 : -1);
  turn = std::fmod(std::fmod(turn, 2 * kPi) + 2 * kPi, 2 * kPi);
  if (!(turn * std::fabs(r) <= arc->length)) return std::nullopt;
  return std::fabs(distance(ip, centre) - std::fabs(r));
}

// The distance from `ip` to the nearest of points along the curve, then a
// golden-section search between that point's neighbours.
double toTheCurve(const std::vector<Piece>& pieces, double groupLength, Point ip) {
  double best = distance(ip, pieces.front().start);
  std::size_t bestPiece = 0;
  double bestS = 0.0, bestStep = 0.0;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const Piece& p = pieces[k];
    const int steps = std::clamp(static_cast<int>(std::ceil(kMaxSamples * p.length / groupLength)), 1, kMaxSamples);
    const double step = p.length / steps;
    Point q = p.start;
    for (int i = 1; i <= steps; ++i) {
      q = p.pointAt(step * i, q, step * (i - 1));
      if (const double d = distance(ip, q); d < best) best = d, bestPiece = k, bestS = step * i, bestStep = step;
    }
  }
  const Piece& p = pieces[bestPiece];
  if (bestStep == 0.0) bestStep = p.length / std::clamp(static_cast<int>(std::ceil(kMaxSamples * p.length / groupLength)), 1, kMaxSamples);
  double lo = std::max(0.0, bestS - bestStep), hi = std::min(p.length, bestS + bestStep);
  const double origin = lo;
  const Point base = p.pointAt(origin, p.start, 0.0);
  auto distanceAt = [&](double s) { return distance(ip, p.pointAt(s, base, origin)); };
  const double ratio = (std::sqrt(5.0) - 1) / 2;
  double a = hi - ratio * (hi - lo), b = lo + ratio * (hi - lo);
  double da = distanceAt(a), db = distanceAt(b);
  for (int i = 0; i < 60; ++i) {
    if (da < db) {
      hi = b, b = a, db = da, a = hi - ratio * (hi - lo), da = distanceAt(a);
    } else {
      lo = a, a = b, da = db, b = lo + ratio * (hi - lo), db = distanceAt(b);
    }
  }
  return std::min(best, std::min(da, db));
}

}  // namespace

GroupFacts groupFacts(const std::vector<landxml::GeometryElement>& elements, const CurveGroup& group) {
  GroupFacts facts;
  std::vector<Piece> pieces;
  Point at;
  double heading = 0.0, length = 0.0;
  for (std::size_t k = group.firstElement; k <= group.lastElement && k < elements.size(); ++k) {
    const landxml::GeometryElement& e = elements[k];
    if (!(e.length > 0)) continue;
    const int sign = e.rotation > 0 ? -1 : 1;  // cw turns right
    Piece p{at, heading, e.length, 0.0, 0.0};
    if (e.kind == landxml::GeometryElement::Kind::curve) {
      p.k0 = p.k1 = curvature(e.radius, sign);
    } else if (e.kind == landxml::GeometryElement::Kind::spiral) {
      p.k0 = curvature(e.radiusStart, sign);
      p.k1 = curvature(e.radiusEnd, sign);
    }
    at = p.pointAt(p.length, p.start, 0.0);
    heading = p.headingAt(p.length);
    length += p.length;
    pieces.push_back(p);
  }
  facts.curveLength = group.end - group.begin;
  // A group that turns a full circle or more (no road does) keeps what it
  // turns beyond whole circles.
  facts.intersectionAngle = std::fmod(std::fabs(heading) * 180 / kPi, 360.0);
  if (!(std::fabs(heading) >= 1e-6 && std::fabs(heading) < kPi)) return facts;

  // The start tangent is the x axis; the end tangent runs through `at` with
  // the end heading. They meet at (tl, 0).
  const Point ip{at.x - at.y * std::cos(heading) / std::sin(heading), 0.0};
  // Tangents that meet behind the start (only elements of no sensible
  // shape do that) give no tangent length.
  if (!(ip.x > 0)) return facts;
  facts.tangentLength = ip.x;
  const std::optional<double> arc = toTheArc(pieces, ip);
  facts.secantLength = arc ? *arc : toTheCurve(pieces, length, ip);
  return facts;
}

}  // namespace ps::import
