// The grade line of a ProfAlign from its points as written: repeated
// points merged, the order checked, and every vertical curve turned into
// symmetric parabolas (curve_conversion.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "landxml/refusal.h"
#include "landxml/road_model.h"

namespace ps::landxml {

// One PVI, ParaCurve, CircCurve or UnsymParaCurve of a ProfAlign.
struct WrittenGradePoint {
  enum class Kind { pvi, paraCurve, circCurve, unsymParaCurve };
  Kind kind = Kind::pvi;
  std::string element;      // its element name, for messages
  int line = 0;
  std::string stationText;  // the station as written, for messages
  double station = 0.0;
  double height = 0.0;
  double length = 0.0;      // ParaCurve@length; CircCurve@length (0 when not given)
  double radius = 0.0;      // |CircCurve@radius| (0 when not given)
  double lengthIn = 0.0, lengthOut = 0.0;  // UnsymParaCurve
};

// How near two stations must be to be one point of the grade line.
inline constexpr double kSameGradeStation = 1e-6;

// The grade line, points in strictly increasing stations, no curve at
// either end, no curve reaching into its neighbour's. A point written
// twice alike is merged (a warning on the second); `warnings` gets the
// warnings. Throws ImportRefused, with the line of the point concerned:
// fewer than two points, stations not increasing, one station with two
// different points, a curve at an end, curves that overlap, a CircCurve
// that no kMaxCirclePieces parabolas follow, a number out of range.
std::vector<GradePoint> gradeLineOf(const std::vector<WrittenGradePoint>& written, int profAlignLine,
                                    std::string_view fileName, std::vector<ReaderWarning>& warnings);

}  // namespace ps::landxml
