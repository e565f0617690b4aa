// A grade line that covers only part of its Alignment: the sheets cover
// the stretch it covers, and the Alignment is trimmed to that stretch
// before it is mapped.
#pragma once

#include "landxml/road_model.h"

namespace ps::landxml {

// Where an Alignment begins and ends (its CoordGeom elements' ends, or
// staStart and its length without elements), and the stretch of it that
// its grade line covers. An end of the grade line within a millimetre of
// the Alignment's counts as the Alignment's (rounding of the written
// stations).
struct ProfileCover {
  double alignmentBegin = 0.0, alignmentEnd = 0.0;
  double begin = 0.0, end = 0.0;  // end <= begin when the grade line lies beside the Alignment
  bool cutsBegin() const { return begin > alignmentBegin; }
  bool cutsEnd() const { return end < alignmentEnd; }
};
ProfileCover profileCover(const Alignment& alignment);

// Trims the Alignment to [begin, end] (within it): elements clipped (a
// spiral's radius at the cut follows its curvature), those outside and the
// superelevation runs outside dropped, staStart and length set, and the
// cut ends marked. Station equations are kept: one before the new start
// still numbers it.
void trimAlignment(Alignment& alignment, double begin, double end);

}  // namespace ps::landxml
