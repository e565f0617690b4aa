// Points along and beside a line.
#pragma once

namespace ps {

// The point at distance |d| from (x1, y1) on the line through (x1, y1) and
// (x2, y2): d > 0 takes the side of larger x (larger y on a vertical line).
void pointOnLine(double x1, double y1, double x2, double y2, double d, double& x, double& y);

// The point at distance |d| from (x1, y1) on the perpendicular to that line:
// d > 0 lies above a non-vertical line, left of a vertical one.
void offsetPoint(double x1, double y1, double x2, double y2, double d, double& x, double& y);

}  // namespace ps
