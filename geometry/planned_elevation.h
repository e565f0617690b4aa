// The planned grade line: straight grades between the vertical intersection
// points (VIPs) and a symmetric parabolic vertical curve at every interior
// VIP.
#pragma once

#include <array>

#include "geometry/chainage.h"
#include "input/profile_data.h"

namespace ps {

// The first and last VIP carry no curve, whatever the file says.
void normaliseVipTable(VipTable& vips);

// What the planned line needs of its VIPs, computed once: their chainages,
// the ends of their curves, the grade of every segment and the radius of
// every curve.
struct VerticalProfile {
  int count = 0;
  std::array<double, kMaxVipRows + 1> chainage{};  // C(i), i = 1..n
  std::array<double, kMaxVipRows + 1> begin{};     // B(i) = C(i) - L(i)/2
  std::array<double, kMaxVipRows + 1> end{};       // E(i) = C(i) + L(i)/2
  std::array<double, kMaxVipRows + 1> grade{};     // entry 0 is 0, entry k from VIP k to k + 1
  std::array<double, kMaxVipRows + 1> radius{};    // entries 2..n-1; the end entries are 0
};

// Of a normalised VIP table, with the chainages of the station table.
VerticalProfile verticalProfileOf(const ProfileData& data, const Placement& placement = {});

struct PlannedPoint {
  double elevation = 0.0;
  // The grade line above the planned line: positive inside a crest curve.
  double offset = 0.0;
};

// The planned line at chainage x. Past the last VIP the last grade goes on
// (offset 0); without VIPs the elevation is 0.
PlannedPoint plannedElevation(const VipTable& vips, const VerticalProfile& profile, double x);

}  // namespace ps
