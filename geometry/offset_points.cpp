#include "geometry/offset_points.h"

#include <cmath>


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

}  // namespace ps
