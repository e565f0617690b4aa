// A road as read from a J-LandXML (LandXML 1.2) file: what the importer needs
// of one Alignment, in the file's own internal stations (metres, before any
// station equation is applied). Texts are UTF-8. Every number is finite and
// at most 1e9 in magnitude, except the infinite radii of spirals.
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace ps::landxml {

// A point of the plan as the file writes it: "northing easting", metres.
struct PlanPoint {
  double northing = 0.0;
  double easting = 0.0;
};

// One CoordGeom element. Stations are summed from Alignment@staStart over the
// element lengths, in file order.
struct GeometryElement {
  enum class Kind { line, curve, spiral };
  Kind kind = Kind::line;
  double start = 0.0;   // internal station of the element's start
  double end = 0.0;     // start + length
  double length = 0.0;  // m
  int rotation = 0;     // +1 cw, -1 ccw, 0 for a line
  double radius = 0.0;  // arc radius of a curve, m
  // Radii at the ends of a spiral; infinity for "INF".
  double radiusStart = std::numeric_limits<double>::infinity();
  double radiusEnd = std::numeric_limits<double>::infinity();
  std::string startName;  // Start@name, End@name: BP, KA1-1, KE1-1, BC1, EC1, EP, ...
  std::string endName;
  // Start, End and (of a curve) Center, where the file gives them.
  std::optional<PlanPoint> startPoint, endPoint, centre;
};

// StaEquation: from `internal` on, the display station is
// s - internal + ahead (back is the display station just before it).
struct StationEquation {
  double internal = 0.0;
  double back = 0.0;
  double ahead = 0.0;
};

// A point of the planned grade line: a PVI (curveLength 0) or the PVI of a
// symmetric ParaCurve of that length.
struct GradePoint {
  double station = 0.0;
  double height = 0.0;
  double curveLength = 0.0;
};

struct GroundPoint {
  double station = 0.0;
  double height = 0.0;
};

// One Superelevation element; fullSuperelev in percent, signed as written.
struct SuperelevationRun {
  double beginRunoff = 0.0;  // BeginRunoffSta
  double fullSuper = 0.0;    // FullSuperSta
  double runoff = 0.0;       // RunoffSta
  double endRunout = 0.0;    // EndofRunoutSta (RunoffSta when the file has none)
  double fullSuperelev = 0.0;
  // The side that rises to full superelevation, where the file says so (the
  // cross sections do; a Superelevation element leaves it to the curve).
  enum class Side { right, left };
  std::optional<Side> raised;
};

struct Alignment {
  std::string name;
  double staStart = 0.0;
  double length = 0.0;
  double interval = 20.0;  // Feature name="Interval", Property label="main"
  std::vector<GeometryElement> elements;
  std::vector<StationEquation> equations;
  std::vector<GradePoint> grade;   // Profile/ProfAlign
  std::vector<GroundPoint> ground; // the first Profile/ProfSurf
  std::vector<SuperelevationRun> superelevation;
};

struct Road {
  std::string projectName;  // Project@name, empty when there is none
  std::vector<Alignment> alignments;
};

}  // namespace ps::landxml
