// What the sheet composition stages share: the drawing, the profile data,
// the band rows and the published grade lists, plus small helpers for the
// sheet's coordinate and text conventions.
#pragma once

#include <string>
#include <string_view>

#include "driver/profile_data.h"
#include "dxf/drawing.h"
#include "geometry/planned_elevation.h"
#include "sheet/band_layout.h"

namespace ps {

struct Sheet {
  Sheet(Drawing& d, ProfileData& p, const BandTitles& t, double piValue)
      : drawing(d), data(p), titles(t), pi(piValue) {}
  Drawing& drawing;
  ProfileData& data;
  const BandTitles& titles;
  BandRowList rows;
  VerticalProfileLists lists;
  double pi;

  double hv(int k) const { return data.header[k]; }
  // Row pitch: band row height plus gap.
  double pitch() const { return hv(1) + hv(2); }
  // Paper x of a chainage.
  double paperX(double chainage) const { return chainage * 1000 / hv(3); }
  // Paper x of a station, by chainageOf.
  double stationX(int number, double plus) const;
  // The origin of band row k's content.
  void setRowOrigin(int k);
  // Chainage of a station.
  double chainage(int number, double plus) const;
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

// The number of labelled levels the elevation axis gets, counted up to
// `limit` + 1 (so that an enormous axis is found without drawing it).
int elevationLevelCount(const ProfileData& data, int limit);

}  // namespace ps
