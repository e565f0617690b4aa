// Why a road cannot be turned into sheets. The program words the message;
// the mapping only says what and where.
#pragma once

#include <optional>

#include "import/station_label.h"

namespace ps::import {

struct MappingRefused {
  enum class Kind {
    noGeometry,           // the alignment has no length
    badInterval,          // the station interval is not a positive whole number of millimetres
    tooManyStations,      // more whole stations than the importer lists
    stationOutOfRange,    // a station number beyond what the file format holds
    noProfile,            // no grade points
    profileShort,         // the grade line does not reach one end of the alignment
    gradeNotAscending,    // grade points not in strictly ascending stations
    noSheetFits,          // two neighbouring listed stations do not fit on one sheet (length or capacities)
    designCurvesOverlap,  // vertical curves of the design overlap: no sheet can draw them
    tooManySheets,        // more sheets than a set holds: `count` of them (at least, when `atLeast`)
  };
  Kind kind;
  std::optional<StationLabel> at;  // the station concerned, where there is one
  long long count = 0;
  bool atLeast = false;
};

}  // namespace ps::import
