// What a sheet between two listed stations of one stretch holds and draws,
// found without mapping it: the rows of its tables, and the heights its
// profile view must hold. The breaking of a stretch into sheets asks this
// of many candidate sheets; the mapping of a sheet takes its rows from here.
#pragma once

#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "import/road_design.h"
#include "import/sheet_breaks.h"

namespace ps::import {

// Indices first..last into one of the design's lists; empty when last < first.
struct IndexRange {
  std::size_t first = 1, last = 0;
  bool empty() const { return last < first; }
  std::size_t size() const { return empty() ? 0 : last - first + 1; }
};

// The lowest and the highest height a profile view draws, and the planned
// heights at the VIPs of its vertical curves (at the middle of the part on
// the sheet of a curve the sheet cuts): a curve's dimension line is drawn
// halfway between that height and the datum.
struct HeightRange {
  double lowest = INFINITY, highest = -INFINITY;
  double lowestCurve = INFINITY, highestCurve = -INFINITY;
  void see(double h) {
    lowest = std::min(lowest, h);
    highest = std::max(highest, h);
  }
  void seeCurve(double h) {
    lowestCurve = std::min(lowestCurve, h);
    highestCurve = std::max(highestCurve, h);
  }
};

// The datum of a view: the highest multiple of the elevation interval at or
// below everything drawn, to the micrometre.
double datumOf(const HeightRange& range, double elevationInterval);
// Whether the view above that datum holds everything drawn.
bool viewHolds(const HeightRange& range, double datum, const SheetSettings& settings);
// The datum a sheet is drawn with: the one that holds everything drawn
// where that fits; else the one that holds the ground, the grade line and
// the VIPs, leaving a vertical curve's dimension line (of a curve whose VIP
// lies far beyond the sheet) below it; else the first.
double sheetDatum(const HeightRange& range, const SheetSettings& settings);
// Whether the ground, the grade line and the VIPs fit a view at all.
bool gradeAndGroundFit(const HeightRange& range, const SheetSettings& settings);

class StretchContents {
 public:
  StretchContents(const RoadDesign& road, const StationStretch& stretch, const SheetSettings& settings);

  const RoadDesign& road() const { return road_; }
  const StationStretch& stretch() const { return stretch_; }

  // The grade points the sheet's VIP table holds: every one on the sheet or
  // whose vertical curve reaches it, and beyond each end one whose curve
  // does not, so that the generator (which draws no curve at its table's
  // first and last VIP) draws every curve that reaches the sheet.
  IndexRange vipRows(std::size_t first, std::size_t last) const;
  // The grade points drawn as VIPs: those between the sheet's ends.
  IndexRange vipsOnSheet(std::size_t first, std::size_t last) const;
  // The curve groups the sheet's curve and superelevation tables hold:
  // every one whose curve or superelevation ramps reach the sheet, and a
  // neighbour whose ramps join theirs where the joined transition reaches it
  // (the diagram joins two transitions only when both rows are there).
  IndexRange groupRows(std::size_t first, std::size_t last) const;

  // Station k's ground height, to the millimetre, where the ground reaches it.
  const std::optional<double>& groundAt(std::size_t k) const { return stationGround_[k]; }
  // The ground line's own points listed between station k and k + 1, as
  // indices into the ground line's points: those whose height labels keep a
  // text height and a millimetre of paper from their neighbours'.
  const std::vector<std::size_t>& groundBetween(std::size_t k) const { return between_[k]; }
  // The rows of the sheet's ground table.
  std::size_t groundRows(std::size_t first, std::size_t last) const;

  // What the sheet's profile view draws: the ground, the planned line, the
  // VIPs on the sheet, the tangents up to the sheet's edges and the
  // dimension lines of its vertical curves.
  HeightRange heights(std::size_t first, std::size_t last) const;

  // How the sheet meets the limits: stations, the band data cell with what
  // is drawn right of the last station (its labels, a VIP's circle), the
  // generator's capacities, and the profile view.
  SheetFit fit(std::size_t first, std::size_t last) const;

 private:
  const RoadDesign& road_;
  const StationStretch& stretch_;
  const SheetSettings& settings_;
  std::vector<std::optional<double>> stationGround_;
  std::vector<std::vector<std::size_t>> between_;
  std::vector<HeightRange> betweenHeights_;
  std::vector<std::size_t> groundRowsBefore_;  // ground rows of stations 0..k-1 and the intervals between
  // Of the curve groups in road order: the farthest reach of any up to
  // each, and the nearest start of any from each on.
  std::vector<double> reachUpTo_, startFrom_;
};

}  // namespace ps::import
