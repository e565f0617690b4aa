// The planned grade line: straight grades between the vertical intersection
// points (VIPs) and a symmetric parabolic vertical curve at every interior
// VIP.
#pragma once

#include <array>

#include "driver/profile_data.h"

namespace ps {

// Grades and vertical curve radii, published by every plannedElevation call.
struct VerticalProfileLists {
  std::array<double, kMaxVipRows + 1> grade{};   // GradeList, entries 0..n-1
  std::array<double, kMaxVipRows + 1> radius{};  // CurveRadiusList, entries 1..n
};

// Fills GradeList from the VIP table: entry 0 is 0, entry k the grade from
// VIP k to VIP k + 1.
void computeGrades(const ProfileData& data, VerticalProfileLists& lists);

// The planned elevation at chainage x, delivered through `elevation`; returns
// the offset of the grade line above the planned line there. Sets the curve
// length of the first and last VIP to 0 and publishes the lists. Past the
// last VIP the last grade continues (offset 0); without VIPs the elevation
// is 0.
double plannedElevation(ProfileData& data, VerticalProfileLists& lists, double x, double& elevation);

}  // namespace ps
