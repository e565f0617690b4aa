#include "check/profile_facts.h"

namespace ps::check {

namespace {

Placed placeBy(const StationTable& stations, const Placement& placement, int number, double plus) {
  Placed p{stationBaseOf(stations, number, plus), chainageOf(stations, placement, number, plus)};
  p.beyondEnds = placement.byStationArithmetic && stations.count >= 1 && p.base.row <= 0;
  return p;
}

}  // namespace

std::unique_ptr<ProfileFacts> factsOf(const ProfileData& data, const ProfileDataLines& lines,
                                      const Continuation* continuation, const ContinuationLines* continuationLines) {
  auto facts = std::make_unique<ProfileFacts>(data, lines, continuation);
  ProfileFacts& f = *facts;
  f.continuationLines = continuationLines;
  f.placement = {continuation != nullptr, data.header.stationInterval};
  const StationTable& st = data.stations;
  auto place = [&](const StationTable& stations, int number, double plus) {
    return placeBy(stations, f.placement, number, plus);
  };
  for (int i = 1; i <= st.count; ++i) f.stationChainage[i] = chainageOf(st, f.placement, st.number[i], st.plus[i]);
  for (int i = 1; i <= data.groundPoints.count; ++i)
    f.ground[i] = place(st, data.groundPoints.number[i], data.groundPoints.plus[i]);
  for (int i = 1; i <= data.vips.count; ++i) f.vip[i] = place(st, data.vips.number[i], data.vips.plus[i]);
  const CurveTable& curves = data.curves;
  for (int i = 1; i <= curves.count; ++i) {
    f.curveFrom[i] = place(st, curves.fromNumber[i], curves.fromPlus[i]);
    f.curveTo[i] = place(st, curves.toNumber[i], curves.toPlus[i]);
  }
  const SuperelevationTable& supers = data.superelevations;
  for (int i = 1; i <= supers.count; ++i) {
    f.superStart[i] = place(st, supers.startNumber[i], supers.startPlus[i]);
    f.superEnd[i] = place(st, supers.endNumber[i], supers.endPlus[i]);
  }
  for (int i = 1; i <= data.annotations.count; ++i)
    f.note[i] = place(st, data.annotations.number[i], data.annotations.plus[i]);

  // The planned line exactly as the run computes it.
  auto drawn = std::make_unique<ProfileData>(data);
  normaliseVipTable(drawn->vips);
  f.drawnVips = drawn->vips;
  f.profile = verticalProfileOf(*drawn, f.placement);
  for (int i = 1; i <= st.count; ++i)
    f.plannedHeight[i] = plannedElevation(f.drawnVips, f.profile, f.stationChainage[i]).elevation;
  return facts;
}

}  // namespace ps::check
