// The part of a line segment inside an axis-parallel box.
#pragma once

namespace ps {

struct ClipBox {
  double xMin, xMax, yMin, yMax;
};

// Cuts the segment (x1, y1)-(x2, y2) to `box` (edges included), keeping its
// direction; a point cut on an edge lies exactly on it. Returns false, and
// leaves the points as they were, when nothing of the segment is inside,
// when only a single point of a segment of some length is (it touches the
// box), or when a coordinate is not a finite number.
bool clipSegment(const ClipBox& box, double& x1, double& y1, double& x2, double& y2);

}  // namespace ps
