#include "geometry/segment_clip.h"

#include <algorithm>
#include <cmath>

namespace ps {

namespace {

// Cuts the segment to u >= lo and u <= hi on one axis (u), moving the other
// coordinate (v) along the segment.
bool clipAxis(double lo, double hi, double& u1, double& v1, double& u2, double& v2) {
  if ((u1 < lo && u2 < lo) || (u1 > hi && u2 > hi)) return false;
  auto cut = [](double at, double ua, double va, double ub, double vb, double& u, double& v) {
    v = va + (vb - va) * ((at - ua) / (ub - ua));
    u = at;
  };
  const double a1 = u1, b1 = v1, a2 = u2, b2 = v2;
  if (a1 < lo) cut(lo, a1, b1, a2, b2, u1, v1);
  if (a2 < lo) cut(lo, a2, b2, a1, b1, u2, v2);
  if (a1 > hi) cut(hi, a1, b1, a2, b2, u1, v1);
  if (a2 > hi) cut(hi, a2, b2, a1, b1, u2, v2);
  return true;
}

}  // namespace

bool clipSegment(const ClipBox& box, double& x1, double& y1, double& x2, double& y2) {
  for (double value : {x1, y1, x2, y2})
    if (!std::isfinite(value)) return false;
  double ax = x1, ay = y1, bx = x2, by = y2;
  if (!clipAxis(box.xMin, box.xMax, ax, ay, bx, by)) return false;
  if (!clipAxis(box.yMin, box.yMax, ay, ax, by, bx)) return false;
  // The cut in y moves x between two values inside the range; rounding may
  // take it an ulp outside.
  ax = std::clamp(ax, box.xMin, box.xMax);
  bx = std::clamp(bx, box.xMin, box.xMax);
  for (double value : {ax, ay, bx, by})
    if (!std::isfinite(value)) return false;
  const bool hadLength = x1 != x2 || y1 != y2;
  if (hadLength && ax == bx && ay == by) return false;
  x1 = ax, y1 = ay, x2 = bx, y2 = by;
  return true;
}

}  // namespace ps
