#include "geometry/planned_elevation.h"

#include "geometry/chainage.h"

namespace ps {

namespace {

struct VipChainages {
  std::array<double, kMaxVipRows + 1> c{}, b{}, e{};
};

void computeChainages(const ProfileData& data, VipChainages& v) {
  const VipTable& vips = data.vips;
  for (int i = 1; i <= vips.count; ++i) {
    v.c[i] = chainageOf(data.stations, vips.number[i], vips.plus[i]);
    v.e[i] = v.c[i] + vips.curveLength[i] / 2;
    v.b[i] = v.c[i] - vips.curveLength[i] / 2;
  }
}

void gradesFrom(const ProfileData& data, const VipChainages& v, VerticalProfileLists& lists) {
  const VipTable& vips = data.vips;
  lists.grade[0] = 0.0;
  for (int k = 1; k <= vips.count - 1; ++k)
    lists.grade[k] = (vips.height[k + 1] - vips.height[k]) / (v.c[k + 1] - v.c[k]);
}

}  // namespace

void computeGrades(const ProfileData& data, VerticalProfileLists& lists) {
  VipChainages v;
  computeChainages(data, v);
  gradesFrom(data, v, lists);
}

double plannedElevation(ProfileData& data, VerticalProfileLists& lists, double x, double& elevation) {
  VipTable& vips = data.vips;
  const int n = vips.count;
  if (n >= 1) {
    vips.curveLength[1] = 0.0;
    vips.curveLength[n] = 0.0;
  }
  lists.grade[0] = 0.0;
  lists.radius[1] = 0.0;
  if (n >= 1) lists.radius[n] = 0.0;
  if (n < 1) {
    elevation = 0.0;
    return 0.0;
  }

  VipChainages v;
  computeChainages(data, v);
  gradesFrom(data, v, lists);
  const auto& g = lists.grade;
  for (int i = 2; i <= n - 1; ++i) lists.radius[i] = vips.curveLength[i] / (g[i] - g[i - 1]);

  int k = 0;
  for (int i = 1; i <= n; ++i) {
    if (x <= v.e[i]) {
      k = i;
      break;
    }
  }
  if (k == 0) {
    // Past the last VIP: the last grade goes on.
    elevation = vips.height[n] + g[n - 1] * (x - v.c[n]);
    return 0.0;
  }

  const double tangent = vips.height[k] + g[k - 1] * (x - v.c[k]);
  double correction = 0.0;
  if (x > v.b[k] && k < n) {
    const double d = x - v.b[k];
    correction = (g[k] - g[k - 1]) * (d * d) / (2 * vips.curveLength[k]);
  }
  elevation = tangent + correction;

  double gradeLine;
  if (x < v.c[k])
    gradeLine = vips.height[k] + g[k - 1] * (x - v.c[k]);
  else if (k < n)
    gradeLine = vips.height[k] + g[k] * (x - v.c[k]);
  else
    gradeLine = vips.height[k];  // x at the last VIP itself
  return gradeLine - elevation;
}

}  // namespace ps
