#include "geometry/offset_points.h"

#include <cmath>

#include "dxf/entity_writers.h"

namespace ps {

void pointOnLine(double x1, double y1, double x2, double y2, double d, double& x, double& y) {
  if (x1 == x2) {
    x = x1;
    y = d > 0 ? y1 + std::fabs(d) : y1 - std::fabs(d);
    return;
  }
  const double m = (y2 - y1) / (x2 - x1);
  const double c = (x2 * y1 - x1 * y2) / (x2 - x1);
  const double u = std::fabs(d) / std::sqrt(m * m + 1);
  x = d > 0 ? x1 + u : x1 - u;
  y = x * m + c;
}

void offsetPoint(double x1, double y1, double x2, double y2, double d, double& x, double& y) {
  if (x1 == x2) {
    x = d > 0 ? x1 - std::fabs(d) : x1 + std::fabs(d);
    y = y1;
    return;
  }
  const double m = (y2 - y1) / (x2 - x1);
  const double s = std::sqrt(m * m + 1);
  if (d > 0) {
    x = x1 - std::fabs(d) * m / s;
    y = y1 + std::fabs(d) / s;
  } else {
    x = x1 + std::fabs(d) * m / s;
    y = y1 - std::fabs(d) / s;
  }
}

void drawArrowhead(Drawing& drawing, double x1, double y1, double x2, double y2, double length,
                   double halfWidth, double originX, double originY) {
  double qx, qy;
  pointOnLine(x2, y2, x1, y1, length, qx, qy);
  double r1x, r1y, r2x, r2y;
  offsetPoint(qx, qy, x2, y2, halfWidth, r1x, r1y);
  offsetPoint(qx, qy, x2, y2, -halfWidth, r2x, r2y);

  const PenState& pen = drawing.pen;
  const double barb1X[] = {0.0, x2, r1x}, barb1Y[] = {0.0, y2, r1y};
  setOrigin(drawing, originX, originY);
  drawPolyline(drawing, barb1X, barb1Y, 2, pen.layerName, pen.thickness, pen.colour, originX, originY);
  const double barb2X[] = {0.0, x2, r2x}, barb2Y[] = {0.0, y2, r2y};
  setOrigin(drawing, originX, originY);
  drawPolyline(drawing, barb2X, barb2Y, 2, pen.layerName, pen.thickness, pen.colour, originX, originY);
}

}  // namespace ps
