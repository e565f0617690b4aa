#include "import/road_design.h"

#include "import/mapping_refused.h"

namespace ps::import {

namespace {

// Points within a millimetre of each other are one point.
constexpr double kTouch = 0.001;

}  // namespace

SheetSettings sheetSettingsOf(const HeaderValues& h, std::size_t stationsPerSheet) {
  SheetSettings s;
  s.frame = {h.bandRowGap, h.horizontalScale, h.bandDataLength};
  s.rowHeight = h.bandRowHeight;
  s.verticalScale = h.verticalScale;
  s.viewHeight = h.profileViewHeight;
  s.elevationInterval = h.elevationInterval;
  s.runOffLength = h.runOffLength;
  s.bandTextHeight = h.valueTextHeight;
  s.stationsPerSheet = stationsPerSheet;
  return s;
}

RoadDesign::RoadDesign(const landxml::Alignment& alignment)
    : stationing(alignment), grade(alignment.grade), ground(alignment.ground),
      curves(findCurveGroups(alignment.elements)), runs(alignment.superelevation) {
  // The grade line must span the road; its written ends may miss the road's
  // by rounding.
  const StationStretch &first = stationing.stretches().front(), &last = stationing.stretches().back();
  if (grade.points().front().station > first.begin + kTouch)
    throw MappingRefused{MappingRefused::Kind::profileShort, first.stations.front().label};
  if (grade.points().back().station < last.end - kTouch)
    throw MappingRefused{MappingRefused::Kind::profileShort, last.stations.back().label};
  unpairedRuns = pairSuperelevation(curves, runs);
}

void RoadDesign::findFacts(const landxml::Alignment& alignment) {
  facts.clear();
  for (const CurveGroup& g : curves) facts.push_back(groupFacts(alignment.elements, g));
}

}  // namespace ps::import
