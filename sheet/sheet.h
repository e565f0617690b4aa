// What the sheet composition stages share: the drawing, the profile data,
// the band rows and what is computed once from the profile data, plus small
// helpers for the sheet's coordinate and text conventions.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "dxf/drawing.h"
#include "geometry/planned_elevation.h"
#include "input/profile_data.h"
#include "sheet/band_layout.h"

namespace ps {

struct Sheet {
  // The profile data is complete and its VIP table normalised.
  Sheet(Drawing& d, const ProfileData& p, const BandTitles& titles, double piValue);
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  Drawing& drawing;
  const ProfileData& data;
  const HeaderValues& header;
  BandRowList rows;
  double pi;
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
