// One alignment mapped to its set of sheets.
#pragma once

#include <vector>

#include "import/sheet_tables.h"
#include "landxml/road_model.h"

namespace ps::import {

// The most sheets a set holds (the folders are numbered with four digits).
inline constexpr long long kMaxSheets = kMaxSheetsInSet;

struct RoadSheets {
  std::vector<SheetTables> sheets;  // in road order
  double interval = 20.0;           // header value 9
  Micrometres length = 0;           // from BP to EP along the road
  std::vector<MappingWarning> warnings;  // about the road as a whole
};

// The fewest sheets the road could take, by arithmetic on its length and
// its whole stations alone: a bound found before any station is listed.
long long fewestSheets(const landxml::Alignment& alignment, const SheetSettings& settings);

// Breaks the alignment into sheets and maps each. Throws MappingRefused,
// tooManySheets before any sheet is mapped.
RoadSheets mapAlignment(const landxml::Alignment& alignment, const SheetSettings& settings);

}  // namespace ps::import
