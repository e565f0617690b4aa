// Superelevation as J-LandXML gives it: the crossfall of each side in the
// design cross sections (CrossSects/CrossSect/DesignCrossSectSurf), read
// back into the runs a sheet draws.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "landxml/road_model.h"

namespace ps::landxml {

// Whether a DesignCrossSectSurf is (part of) the carriageway, by its name
// or description: one that speaks of the carriageway or the road surface
// ("車道", "路面", "舗装", "carriageway", "roadway", "pavement", "road
// surface", ASCII in any case) and not of a sidewalk or a shoulder ("歩道",
// "路肩", "sidewalk", "footway", "shoulder").
bool isCarriageway(std::string_view name, std::string_view desc);

// A point of a cross section: offset from the centre line, height (m).
struct SectionPoint {
  double offset = 0.0;
  double height = 0.0;
};

// The crossfall of one side in percent, positive where the side rises away
// from the centre line: the grade from its point nearest the centre line
// to its point farthest from it (offsets compared by size, whatever their
// sign). Empty when the two lie less than a centimetre apart, or when the
// grade is steeper than any carriageway's (kMaxCrossfall).
inline constexpr double kMaxCrossfall = 100.0;
std::optional<double> crossfallOf(const std::vector<SectionPoint>& points);

// The crossfalls of one cross section.
struct SectionCrossfall {
  double station = 0.0;  // CrossSect@sta
  std::optional<double> left, right;
};

// How close two crossfalls must be to count as the same (percent): heights
// written to the millimetre over a 3 m lane give 0.03 %.
inline constexpr double kCrossfallTolerance = 0.05;

// The crossfall of each side along the road, straight between the
// sections (sorted by station; of several at one station the last counts
// on its far side).
class CrossfallProfile {
 public:
  explicit CrossfallProfile(std::vector<SectionCrossfall> sections);

  bool empty() const { return left_.empty() && right_.empty(); }

  // The superelevation runs the sections show, in station order. A side's
  // normal crossfall is the level both sides keep alike over the longest
  // stretch (the crown; failing that, the side's own longest level). A run
  // is where one side rises above its normal crossfall: `raised` is that
  // side, fullSuperelev its highest crossfall (to 0.1 %, as designs give it and
  // as heights to the millimetre still tell it), FullSuperSta and
  // RunoffSta where it reaches and leaves that level, BeginRunoffSta and
  // EndofRunoutSta where the straight ramps to and from it cross the
  // normal crossfall (at most as far out as the section before the ramp,
  // or after it).
  std::vector<SuperelevationRun> runs() const;

  // The crossfall of the higher side at a station, where the sections
  // reach it.
  std::optional<double> higherAt(double station) const;

  // A side's crossfall at one section.
  struct Sample {
    double station;
    double crossfall;
  };

 private:
  std::vector<Sample> left_, right_;
};

}  // namespace ps::landxml
