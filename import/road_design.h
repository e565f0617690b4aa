// What a road's sheets are mapped from: the design of one alignment, and
// the settings of the template its sheets are drawn on.
#pragma once

#include <cstddef>
#include <vector>

#include "import/curve_facts.h"
#include "import/curve_groups.h"
#include "import/design_profile.h"
#include "import/sheet_breaks.h"
#include "import/stationing.h"
#include "input/profile_data.h"
#include "landxml/road_model.h"

namespace ps::import {

// The sheet settings the mapping depends on, from the template's header,
// and the stations a sheet may hold.
struct SheetSettings {
  FrameRule frame;                 // header values 2, 3, 5
  double rowHeight = 15.0;         // header value 1: a VIP's circle reaches half of it past its station
  double verticalScale = 100.0;    // header value 4
  double viewHeight = 110.0;       // header value 6
  double elevationInterval = 5.0;  // header value 8
  double runOffLength = 20.0;      // header value 13: the ramps of a curve without a superelevation run
  double bandTextHeight = 2.0;     // header value 14: ground labels keep this distance on paper
  std::size_t stationsPerSheet = kStationsPerSheet;
};

// The settings of a template's header values, with the most stations a
// sheet may hold.
SheetSettings sheetSettingsOf(const HeaderValues& header, std::size_t stationsPerSheet = kStationsPerSheet);

// Everything about one alignment that its sheets are mapped from.
struct RoadDesign {
  explicit RoadDesign(const landxml::Alignment& alignment);
  // The curve groups' facts, found once the road is known to make a set.
  void findFacts(const landxml::Alignment& alignment);

  Stationing stationing;
  GradeLine grade;
  GroundLine ground;
  std::vector<CurveGroup> curves;
  std::vector<GroupFacts> facts;  // one per curve group, after findFacts
  std::vector<landxml::SuperelevationRun> runs;
  std::vector<std::size_t> unpairedRuns;
};

}  // namespace ps::import
