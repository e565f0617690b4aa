// The profile data of one road: the 26 header values and the six tables of
// the profile data file. Rows are numbered from 1 in file order; slot 0 of
// every column exists and stays zero (some rows read the slot of row i - 1).
#pragma once

#include <array>
#include <string>

namespace ps {

inline constexpr int kTableSlots = 500;                 // rows 1..499
inline constexpr int kMaxTableRows = kTableSlots - 1;   // 499
inline constexpr int kMaxVipRows = 49;
inline constexpr int kMaxAnnotationRows = 49;
inline constexpr std::size_t kMaxAnnotationTokenBytes = 49;
// The longest annotation text: the token holds it and two quotation marks.
inline constexpr std::size_t kMaxAnnotationTextBytes = kMaxAnnotationTokenBytes - 2;
inline constexpr int kStationLimit = 30;

template <typename T>
using Column = std::array<T, kTableSlots>;

struct GroundPointTable {
  int count = 0;
  Column<int> number{};
  Column<double> plus{};
  Column<double> height{};
};

struct StationTable {
  int count = 0;
  Column<int> number{};
  Column<double> plus{};
  Column<double> plannedHeight{};
  Column<double> intervalDistance{};
};

struct VipTable {
  int count = 0;
  Column<int> number{};
  Column<double> plus{};
  Column<double> height{};
  Column<double> curveLength{};
};

struct CurveTable {
  int count = 0;
  Column<int> fromNumber{};
  Column<double> fromPlus{};
  Column<int> toNumber{};
  Column<double> toPlus{};
  Column<double> radius{};
};

struct SuperelevationTable {
  int count = 0;
  Column<int> startNumber{};
  Column<double> startPlus{};
  Column<int> endNumber{};
  Column<double> endPlus{};
  Column<double> superelevation{};
};

struct AnnotationTable {
  int count = 0;
  Column<int> number{};
  Column<double> plus{};
  std::array<std::string, kMaxAnnotationRows + 1> text{};
};

// The 26 values of the first line of the profile data file, in file order.
struct HeaderValues {
  double bandRowHeight = 0.0;        // 1: height of a band row, paper mm
  double bandRowGap = 0.0;           // 2: gap between band rows and between a row's two cells, mm
  double horizontalScale = 0.0;      // 3: denominator: x = chainage * 1000 / value
  double verticalScale = 0.0;        // 4: denominator: y = (height - datum) * 1000 / value
  double bandDataLength = 0.0;       // 5: length of the band data area, mm
  double profileViewHeight = 0.0;    // 6: height of the profile view, mm
  double datumLevel = 0.0;           // 7: height drawn on the datum line, m
  double elevationInterval = 0.0;    // 8: step of the elevation axis and grid, m
  double stationInterval = 0.0;      // 9: m
  double unused10 = 0.0;             // 10 to 12: read and ignored
  double unused11 = 0.0;
  double unused12 = 0.0;
  double runOffLength = 0.0;         // 13: superelevation run-off, m of chainage
  double valueTextHeight = 0.0;      // 14: band row values and superelevation texts
  double titleTextHeight = 0.0;      // 15: band row titles
  double gradeTextHeight = 0.0;      // 16: vertical curve and grade-line row texts
  double scaleTextHeight = 0.0;      // 17: scales, datum and elevation labels
  double annotationTextHeight = 0.0; // 18: point annotations
  double curvatureTextHeight = 0.0;  // 19: curvature diagram captions, also their pitch
  double normalCrossfall = 0.0;      // 20: percent
  double valueTextWidth = 0.0;       // 21 to 26: width factors of the texts sized by 14 to 19
  double titleTextWidth = 0.0;
  double gradeTextWidth = 0.0;
  double scaleTextWidth = 0.0;
  double annotationTextWidth = 0.0;
  double curvatureTextWidth = 0.0;
};

// The header values in the order of the file's first line.
inline constexpr std::array<double HeaderValues::*, 26> kHeaderFileOrder = {
    &HeaderValues::bandRowHeight,        &HeaderValues::bandRowGap,
    &HeaderValues::horizontalScale,      &HeaderValues::verticalScale,
    &HeaderValues::bandDataLength,       &HeaderValues::profileViewHeight,
    &HeaderValues::datumLevel,           &HeaderValues::elevationInterval,
    &HeaderValues::stationInterval,      &HeaderValues::unused10,
    &HeaderValues::unused11,             &HeaderValues::unused12,
    &HeaderValues::runOffLength,         &HeaderValues::valueTextHeight,
    &HeaderValues::titleTextHeight,      &HeaderValues::gradeTextHeight,
    &HeaderValues::scaleTextHeight,      &HeaderValues::annotationTextHeight,
    &HeaderValues::curvatureTextHeight,  &HeaderValues::normalCrossfall,
    &HeaderValues::valueTextWidth,       &HeaderValues::titleTextWidth,
    &HeaderValues::gradeTextWidth,       &HeaderValues::scaleTextWidth,
    &HeaderValues::annotationTextWidth,  &HeaderValues::curvatureTextWidth,
};

struct ProfileData {
  HeaderValues header;
  GroundPointTable groundPoints;
  StationTable stations;
  VipTable vips;
  CurveTable curves;
  SuperelevationTable superelevations;
  AnnotationTable annotations;
};

}  // namespace ps
