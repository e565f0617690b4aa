// A road as read from a J-LandXML (LandXML 1.2) file: what the importer needs
// of one Alignment, in the file's own internal stations (metres, before any
// station equation is applied). Texts are UTF-8. Every number is finite and
// at most 1e9 in magnitude, except the infinite radii of spirals.
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "landxml/refusal.h"

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
// symmetric parabola of that length: a ParaCurve, or a piece of a CircCurve
// or UnsymParaCurve as converted (consecutive pieces touch end to end).
struct GradePoint {
  double station = 0.0;
  double height = 0.0;
  double curveLength = 0.0;
};

struct GroundPoint {
  double station = 0.0;
  double height = 0.0;
};

// One Superelevation element, or a run read from the cross sections;
// fullSuperelev in percent, signed as written (positive from the cross
// sections).
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

// A ProfAlign: its name, the line of its start tag and its grade line,
// with the reader's warnings about it; or why it cannot be read.
struct ProfAlignLine {
  std::string name;
  int line = 0;
  std::vector<GradePoint> points;
  std::vector<ReaderWarning> warnings;
  std::optional<ImportRefused> refusal;
};

// A ProfSurf: its name, line and ground points (all its PntList2D in
// order); or why it cannot be read.
struct ProfSurfLine {
  std::string name;
  int line = 0;
  std::vector<GroundPoint> points;
  std::optional<ImportRefused> refusal;
};

struct Alignment {
  std::string name;
  int line = 0;  // of the Alignment start tag
  double staStart = 0.0;
  double length = 0.0;
  double interval = 20.0;  // Feature name="Interval", Property label="main"
  std::vector<GeometryElement> elements;
  std::vector<StationEquation> equations;
  // The grade line and the ground line imported: the reader gives the
  // first ProfAlign's and the first ProfSurf's (when they read well), the
  // choice of the user replaces them (selectAlignment).
  std::vector<GradePoint> grade;
  std::vector<GroundPoint> ground;
  std::string gradeName;  // the grade line's ProfAlign@name, and the line of that ProfAlign
  int gradeLine = 0;
  std::vector<ProfAlignLine> profAligns;  // every Profile/ProfAlign, in file order
  std::vector<ProfSurfLine> profSurfs;    // every Profile/ProfSurf
  std::vector<SuperelevationRun> superelevation;
  std::vector<ReaderWarning> warnings;    // about the Alignment itself, in file order
  // Trimmed to the stretch its grade line covers (partial_profile.h): an
  // end that is cut is not BP or EP.
  bool cutAtStart = false;
  bool cutAtEnd = false;
  // Why the Alignment cannot be imported: then nothing else but its name
  // and line is kept. A fault in one Alignment refuses that one only.
  std::optional<ImportRefused> refusal;
};

struct Road {
  std::string projectName;  // Project@name, empty when there is none
  std::vector<Alignment> alignments;
};

}  // namespace ps::landxml
