// What the sheet composition stages share: the drawing, the profile data,
// the band rows and what is computed once from the profile data, plus small
// helpers for the sheet's coordinate and text conventions.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include <limits>

#include "dxf/drawing.h"
#include "dxf/entity_writers.h"
#include "geometry/chainage.h"
#include "geometry/planned_elevation.h"
#include "input/continuation.h"
#include "input/profile_data.h"
#include "sheet/band_layout.h"

namespace ps {

struct Sheet {
  // The profile data is complete and its VIP table normalised. A sheet of a
  // set has its continuation; a sheet on its own has none.
  Sheet(Drawing& d, const ProfileData& p, const BandTitles& titles, double piValue,
        const Continuation* continuationOfSet = nullptr);
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  Drawing& drawing;
  const ProfileData& data;
  const HeaderValues& header;
  BandRowList rows;
  double pi;
  const Continuation* continuation;
  // Where points outside the listed stations go: by station arithmetic on a
  // sheet of a set.
  Placement placement;
  // chainageOf of every station row, and the planned line.
  std::array<double, kTableSlots> stationChainage{};
  VerticalProfile profile;
  // The planned height of every station, filled by the height rows.
  std::array<double, kTableSlots> plannedHeight{};

  // Row pitch: band row height plus gap.
  double pitch() const { return header.bandRowHeight + header.bandRowGap; }
  // Paper x of a chainage.
  double paperX(double chainage) const { return chainage * 1000 / header.horizontalScale; }
  // Paper y of a height in the profile view, from the datum line.
  double profileY(double height) const { return (height - header.datumLevel) * 1000 / header.verticalScale; }
  // Chainage and paper x of a station, by chainageOf.
  double chainage(int number, double plus) const;
  double stationX(int number, double plus) const { return paperX(chainage(number, plus)); }
  // Paper x of station row i.
  double stationRowX(int i) const { return paperX(stationChainage[i]); }
  // The planned line at a chainage.
  PlannedPoint planned(double chainage) const { return plannedElevation(data.vips, profile, chainage); }

  // A sheet of a set with stations ends at its first and last listed
  // station: what lies beyond them is cut there. Chainages and paper x of the
  // two edges.
  bool cutsAtEdges() const { return continuation != nullptr && data.stations.count >= 1; }
  double firstChainage() const { return stationChainage[1]; }
  double lastChainage() const { return stationChainage[data.stations.count]; }
  bool onSheet(double chainage) const { return firstChainage() <= chainage && chainage <= lastChainage(); }
  // The part [lo, hi] of the paper stretch from a to b (a <= b) between the
  // edges; false when none of it is (a stretch of some length that only
  // touches an edge has none).
  bool partOnSheet(double a, double b, double& lo, double& hi) const;
  // The segment a-b with the current pen and origin, cut at the edges and,
  // when given, to yMin <= y <= yMax; nothing when none of it is inside.
  void cutLine(Point a, Point b, LineKind kind = LineKind::continuous,
               double yMin = -std::numeric_limits<double>::infinity(),
               double yMax = std::numeric_limits<double>::infinity());

  // y of the datum line: the top of the band stack plus the gap.
  double datumY() const { return BandOriginY + rows.count * pitch() + ProfileGap; }
  // The origin of band row k's content (k = 0 lies one pitch below row 1).
  void setRowOrigin(int k);
  // The origin of the profile view: chainage 0 on the datum line.
  void setProfileOrigin();
};

// A header value used as a text height: truncated toward zero, and held
// within the range of an int.
int textHeight(double value);

// "%5.3lf" and friends.
std::string fixed(double value, int width, int decimals);

// The insertion x of a caption centred on m: the integer half of its byte
// length, taken as millimetres, to the left of m.
double centredX(double m, std::string_view text);

// An angle in decimal degrees as degrees, minutes and seconds, the seconds
// to a tenth ("12°34'56.7\"", the degree sign in Shift-JIS).
std::string degreesMinutesSeconds(double degrees);

// The two stages of the sheet.
void drawBandFrameAndGround(Sheet& sheet);
void drawPlannedProfileAndDiagrams(Sheet& sheet);

// The steps of the stages, in drawing order.
void drawBandCells(Sheet& sheet);
void drawStationRows(Sheet& sheet);
void drawProfileFrame(Sheet& sheet);
void drawHeightDistanceRows(Sheet& sheet);
void drawPlannedProfile(Sheet& sheet);
void drawGradeLineRow(Sheet& sheet);
void drawCurvatureDiagram(Sheet& sheet);
void drawSuperelevationDiagram(Sheet& sheet);
void drawPointAnnotations(Sheet& sheet);
// A sheet of a set: the road's and the project's names and the sheet's
// number in its set, below the band stack.
void drawSheetIdentity(Sheet& sheet);

// Two LINEs forming an open arrowhead with its tip at (x2, y2), its base
// `length` back along the segment (the sign picks the side, as in
// pointOnLine) and its barbs `halfWidth` either side, with the current pen
// and origin.
void drawArrowhead(Drawing& drawing, double x1, double y1, double x2, double y2, double length,
                   double halfWidth);

// The number of labelled levels the elevation axis gets, counted up to
// `limit` + 1 (so that an enormous axis is found without drawing it).
int elevationLevelCount(const HeaderValues& header, int limit);

}  // namespace ps
