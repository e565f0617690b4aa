// Points along and beside a line, and open arrowheads built from them.
#pragma once

#include "dxf/drawing.h"

namespace ps {

// The point at distance |d| from (x1, y1) on the line through (x1, y1) and
// (x2, y2): d > 0 takes the side of larger x (larger y on a vertical line).
void pointOnLine(double x1, double y1, double x2, double y2, double d, double& x, double& y);

// The point at distance |d| from (x1, y1) on the perpendicular to that line:
// d > 0 lies above a non-vertical line, left of a vertical one.
void offsetPoint(double x1, double y1, double x2, double y2, double d, double& x, double& y);

// Two LINEs forming an open arrowhead with its tip at (x2, y2), its base
// `length` back along the segment (the sign picks the side, as in
// pointOnLine) and its barbs `halfWidth` either side.
void drawArrowhead(Drawing& drawing, double x1, double y1, double x2, double y2, double length,
                   double halfWidth, double originX, double originY);

}  // namespace ps
