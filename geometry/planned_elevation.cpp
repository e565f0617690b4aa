#include "geometry/planned_elevation.h"

#include "geometry/chainage.h"

namespace ps {

void normaliseVipTable(VipTable& vips) {
  if (vips.count < 1) return;
  vips.curveLength[1] = 0.0;
  vips.curveLength[vips.count] = 0.0;
}

VerticalProfile verticalProfileOf(const ProfileData& data, const Placement& placement) {
  const VipTable& vips = data.vips;
  VerticalProfile v;
  const int n = vips.count;
  v.count = n;
  for (int i = 1; i <= n; ++i) {
    v.chainage[i] = chainageOf(data.stations, placement, vips.number[i], vips.plus[i]);
    v.end[i] = v.chainage[i] + vips.curveLength[i] / 2;
    v.begin[i] = v.chainage[i] - vips.curveLength[i] / 2;
  }
  for (int k = 1; k <= n - 1; ++k)
    v.grade[k] = (vips.height[k + 1] - vips.height[k]) / (v.chainage[k + 1] - v.chainage[k]);
  for (int i = 2; i <= n - 1; ++i) v.radius[i] = vips.curveLength[i] / (v.grade[i] - v.grade[i - 1]);
  return v;
}

PlannedPoint plannedElevation(const VipTable& vips, const VerticalProfile& v, double x) {
  const int n = v.count;
  if (n < 1) return {};
  const auto& g = v.grade;

  // The zone: the first VIP whose curve ends at or after x.
  int k = 0;
  for (int i = 1; i <= n; ++i) {
    if (x <= v.end[i]) {
      k = i;
      break;
    }
  }
  if (k == 0) return {vips.height[n] + g[n - 1] * (x - v.chainage[n]), 0.0};

  const double tangent = vips.height[k] + g[k - 1] * (x - v.chainage[k]);
  double correction = 0.0;
  if (x > v.begin[k] && k < n) {
    const double d = x - v.begin[k];
    correction = (g[k] - g[k - 1]) * (d * d) / (2 * vips.curveLength[k]);
  }
  const double elevation = tangent + correction;

  double gradeLine;
  if (x < v.chainage[k])
    gradeLine = vips.height[k] + g[k - 1] * (x - v.chainage[k]);
  else if (k < n)
    gradeLine = vips.height[k] + g[k] * (x - v.chainage[k]);
  else
    gradeLine = vips.height[k];  // x at the last VIP itself
  return {elevation, gradeLine - elevation};
}

}  // namespace ps
