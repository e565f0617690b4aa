// One alignment mapped to its set of sheets.
#pragma once

#include <vector>

#include "landxml/road_model.h"
#include "import/sheet_tables.h"

namespace ps::import {

struct RoadSheets {
  std::vector<SheetTables> sheets;  // in road order
  double interval = 20.0;           // header value 9
  // Sheet breaks that could not be kept out of a vertical curve or a
  // horizontal curve group (with its superelevation run); station equations,
  // which always end a sheet, counted apart.
  int verticalCuts = 0;
  int horizontalCuts = 0;
  int equationVerticalCuts = 0;
  int equationHorizontalCuts = 0;
  std::vector<MappingWarning> warnings;  // about the road as a whole
};

// Breaks the alignment into sheets and maps each. Throws MappingRefused.
RoadSheets mapAlignment(const landxml::Alignment& alignment, const SheetSettings& settings);

}  // namespace ps::import
