// The tables of one sheet, mapped from the design: what its profile data
// file will hold, row by row, with every position written as a station
// label of that sheet.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "import/curve_groups.h"
#include "import/design_profile.h"
#include "import/sheet_breaks.h"
#include "import/stationing.h"
#include "input/profile_data.h"

namespace ps::import {

struct StationRow {
  StationLabel at;
  double plannedHeight = 0.0;     // the design's, for the reader of the file; the drawing computes its own
  double intervalDistance = 0.0;  // from the previous row, 0 on the first
};
struct GroundRow {
  StationLabel at;
  double height = 0.0;
};
struct VipRow {
  StationLabel at;
  double height = 0.0;
  double curveLength = 0.0;
};
struct CurveRow {
  StationLabel from, to;
  double radius = 0.0;  // signed: see signedRadius
};
struct SuperelevationRow {
  StationLabel start, end;  // full superelevation
  double superelevation = 0.0;  // percent
};
struct AnnotationRow {
  StationLabel at;
  std::string text;  // UTF-8: the key point names
};

// Something the user should look at; the program words it.
struct MappingWarning {
  enum class Kind {
    runoffLengthsDiffer,   // value: the run-off length used (the largest)
    aboveProfileView,      // value: the highest height, which the profile view does not reach
    groundMissing,         // count: listed stations without a ground height
    noSuperelevation,      // at: a curve without a superelevation run (drawn with 0 %)
    superelevationUnpaired,  // at: a superelevation run that lies on no curve (left out)
    compoundCurve,         // at: a curve group with arcs of several radii (drawn with the smallest), value: that radius
  };
  Kind kind;
  StationLabel at;
  double value = 0.0;
  int count = 0;
};

struct SheetTables {
  double datum = 0.0;                  // header value 7
  std::optional<double> runoffLength;  // the superelevation count line's real, when there are rows
  std::vector<StationRow> stations;
  std::vector<GroundRow> ground;
  std::vector<VipRow> vips;
  std::vector<CurveRow> curves;
  std::vector<SuperelevationRow> superelevation;
  std::vector<AnnotationRow> annotations;
  std::vector<MappingWarning> warnings;
};

// The sheet settings the mapping depends on, from the template's header.
struct SheetSettings {
  FrameRule frame;                // header values 2, 3, 5
  double verticalScale = 100.0;   // header value 4
  double viewHeight = 110.0;      // header value 6
  double elevationInterval = 5.0; // header value 8
  double bandTextHeight = 2.0;    // header value 14: ground labels keep this distance on paper
};

// The settings of a template's header values.
SheetSettings sheetSettingsOf(const HeaderValues& header);

// Everything about one alignment that its sheets are mapped from.
struct RoadDesign {
  explicit RoadDesign(const landxml::Alignment& alignment);

  Stationing stationing;
  GradeLine grade;
  GroundLine ground;
  std::vector<CurveGroup> curves;
  std::vector<landxml::SuperelevationRun> runs;
  std::vector<std::size_t> unpairedRuns;
};

// The tables of the sheet that spans the given stations of one stretch.
// Vertical curves are settled afterwards (settleVerticalCurves).
SheetTables mapSheet(const RoadDesign& road, const StationStretch& stretch, const SheetSpan& span,
                     const SheetSettings& settings);

}  // namespace ps::import
