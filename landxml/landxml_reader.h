// Reading a LandXML road file (LandXML 1.0 to 1.2, J-LandXML) into the road
// model.
//
// What is read: Project@name; per Alignment (LandXML/Alignments/Alignment),
// in file order:
// - @name, @staStart, @length;
// - CoordGeom/Line, Curve and Spiral: @length, @rot, @radius,
//   @radiusStart/@radiusEnd ("INF" for a straight end), Start/End@name;
//   each element starts where the one before ended, the first at staStart;
//   the text of Start, End and Center ("northing easting"; left out when it
//   is not two numbers). Line@length, Curve@length and Curve@radius may be
//   left to the points (plan_geometry.h); a written value more than 1 mm
//   from its points is kept, with a warning;
// - StaEquation: staInternal, staBack, staAhead (either of staInternal and
//   staBack may be left out and is then derived from the other); staAhead
//   may lie below staBack (a backward equation: the display stations
//   between occur twice);
// - the station interval: Feature[@name="Interval"]/Property[@label="main"]@value;
// - every Profile/ProfAlign (grade_line.h: PVI, ParaCurve, and CircCurve and
//   UnsymParaCurve as symmetric parabolas) and every Profile/ProfSurf (its
//   PntList2D "station height ...", all of them in order), by name; the
//   first of each is also the Alignment's grade and ground;
// - Superelevation: BeginRunoffSta, FullSuperSta, RunoffSta, FullSuperelev
//   and EndofRunoutSta (RunoffSta when left out); without any, the runs the
//   carriageway of CrossSects/CrossSect/DesignCrossSectSurf shows
//   (cross_section_superelevation.h); with both, a section more than 0.1 %
//   off a Superelevation element is a warning.
// Stations are internal stations, as in the file. BP and EP name the ends
// that the file leaves unnamed.
//
// Every number in the model is finite and at most 1e9 in magnitude, except
// the infinite spiral radii. A refusal (ImportRefused, with the file name
// and the element's line) inside an Alignment refuses that Alignment only
// (Alignment::refusal), and one inside a ProfAlign or ProfSurf that line
// only. Refused:
// - the file: over kMaxRoadFileBytes, an encoding the system does not
//   know, bytes that are not text in it, bytes that are not XML at all,
//   anything the XML reader refuses (xml_reader.h), a root element other
//   than LandXML; Units/Imperial, or a Metric@linearUnit other than "meter";
// - an Alignment: CoordGeom/IrregularLine and CoordGeom/Chain; a number that
//   does not read whole as a decimal number (NaN and infinity included), or
//   beyond 1e9; a length or radius that is not above 0 (a Line's length may
//   be 0) or that neither an attribute nor the points give, a rot other
//   than cw/ccw, a Spiral with both radii INF; a StaEquation with
//   staIncrement="decreasing" (stations that run against the road), one not
//   after the one before or outside the Alignment, or one whose staBack is
//   more than 1 mm from the display station at its staInternal;
//   Superelevation stations out of order; a carriageway point of a cross
//   section that is not two numbers;
// - a ProfAlign: as grade_line.h says; a ProfSurf: ground stations that
//   decrease.
// An Alignment without ProfAlign is read with an empty grade line; it is
// refused only when chosen (selectAlignment).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "landxml/refusal.h"
#include "landxml/road_model.h"

namespace ps::landxml {

inline constexpr std::uintmax_t kMaxRoadFileBytes = std::uintmax_t{256} << 20;

// Reads the file at `path`; `fileName` is how messages name it (bytes as
// printed to the console). The size is checked before anything is read.
Road readLandXmlFile(const std::filesystem::path& path, std::string_view fileName);

// The same for a file already in memory.
Road readLandXml(std::string_view bytes, std::string_view fileName);

}  // namespace ps::landxml
