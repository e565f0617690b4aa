// The tables of one sheet, mapped from the design: what its profile data
// file will hold, row by row, with every position written as a station
// label of that sheet, and what its continuation file says of the road
// beyond it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "import/road_design.h"
#include "import/sheet_contents.h"
#include "import/stationing.h"
#include "input/continuation.h"

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
  std::string text;  // UTF-8: the key point names, and a station equation as back=ahead
};

// Something the user should look at; the program words it.
struct MappingWarning {
  enum class Kind {
    beyondView,            // at..to: a station interval that no profile view holds; value: its height range
    groundMissing,         // count: listed stations without a ground height
    noSuperelevation,      // at: a curve without a superelevation run (drawn with 0 %)
    superelevationUnpaired,  // at: a superelevation run that lies on no curve (left out)
    compoundCurve,         // at: a curve group with arcs of several radii (drawn with the smallest), value: that radius
  };
  Kind kind;
  StationLabel at;
  double value = 0.0;
  int count = 0;
  StationLabel to;
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
  std::size_t vipsOnSheet = 0;    // the VIP rows between the sheet's ends, which the sheet draws as VIPs
  std::size_t curvesOnSheet = 0;  // the curve rows whose curve reaches the sheet

  // What the continuation file says of the road beyond the sheet.
  Micrometres distance = 0;         // of the first station, from the road's zero
  Micrometres previous = 0;         // from the road's previous listed station (0 on the road's first sheet)
  std::optional<Micrometres> next;  // to the road's next listed station (none on its last sheet)
  std::vector<CurveFacts> curveFacts;          // one per curve row
  std::vector<TransitionLengths> transitions;  // one per superelevation row
};

// The tables of the sheet that spans the given stations of the stretch
// `contents` describes, the stretch being the road's `stretchIndex`-th.
// Vertical curves are settled afterwards (settleVerticalCurves).
SheetTables mapSheet(const StretchContents& contents, std::size_t stretchIndex, const SheetSpan& span,
                     const SheetSettings& settings);

}  // namespace ps::import
