// What the checks of the profile data need to know of it, worked out once
// with the generator's own geometry: where the station scan places every
// point, the chainage of every station and the planned height at it.
#pragma once

#include <array>
#include <memory>

#include "geometry/chainage.h"
#include "geometry/planned_elevation.h"
#include "input/continuation.h"
#include "input/profile_data.h"
#include "input/profile_data_reader.h"

namespace ps::check {

// A point given by station number and plus, as the drawing places it.
struct Placed {
  StationBase base;
  double chainage = 0.0;
  // Before the first listed station or after the last, placed by station
  // arithmetic (a sheet of a set): where it belongs, but off the sheet.
  bool beyondEnds = false;
  // Past the last listed station (drawn at chainage 0) or before the first
  // (drawn at its plus): not where it belongs.
  bool outside() const { return base.row <= 0 && !beyondEnds; }
};

struct ProfileFacts {
  ProfileFacts(const ProfileData& d, const ProfileDataLines& l, const Continuation* c = nullptr)
      : data(d), lines(l), continuation(c) {}
  ProfileFacts(const ProfileFacts&) = delete;
  ProfileFacts& operator=(const ProfileFacts&) = delete;

  const ProfileData& data;
  const ProfileDataLines& lines;
  // The continuation file of a sheet of a set, when it has one, and the
  // lines of its items.
  const Continuation* continuation;
  const ContinuationLines* continuationLines = nullptr;
  Placement placement;

  std::array<double, kTableSlots> stationChainage{};
  std::array<Placed, kTableSlots> ground{}, vip{}, curveFrom{}, curveTo{}, superStart{}, superEnd{}, note{};

  // The VIP table as the drawing uses it (no curve on the first and last
  // VIP), its grades and curves, and the planned height at every station.
  VipTable drawnVips;
  VerticalProfile profile;
  std::array<double, kTableSlots> plannedHeight{};

  // The line of row i of a table; a row the file ended before stands on its
  // table's count line.
  static int lineOf(const TableLines& table, int i) { return table.row[i] != 0 ? table.row[i] : table.count; }
};

std::unique_ptr<ProfileFacts> factsOf(const ProfileData& data, const ProfileDataLines& lines,
                                      const Continuation* continuation = nullptr,
                                      const ContinuationLines* continuationLines = nullptr);

}  // namespace ps::check
