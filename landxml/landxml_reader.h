// Reading a J-LandXML (LandXML 1.2) road file into the road model.
//
// What is read: Project@name; per Alignment (LandXML/Alignments/Alignment),
// in file order:
// - @name, @staStart, @length;
// - CoordGeom/Line, Curve and Spiral: @length, @rot, @radius,
//   @radiusStart/@radiusEnd ("INF" for a straight end), Start/End@name;
//   each element starts where the one before ended, the first at staStart;
//   the text of Start, End and Center ("northing easting"; left out when it
//   is not two numbers);
// - StaEquation: staInternal, staBack, staAhead (either of staInternal and
//   staBack may be left out and is then derived from the other); staAhead
//   may lie below staBack (a backward equation: the display stations
//   between occur twice);
// - the station interval: Feature[@name="Interval"]/Property[@label="main"]@value;
// - the first Profile/ProfAlign: PVI and ParaCurve ("station height");
// - the first Profile/ProfSurf: its PntList2D ("station height ..."), all of
//   them in order when it has several;
// - Superelevation: BeginRunoffSta, FullSuperSta, RunoffSta, FullSuperelev
//   and EndofRunoutSta (RunoffSta when left out).
// Stations are internal stations, as in the file.
//
// Every number in the model is finite and at most 1e9 in magnitude, except
// the infinite spiral radii. Refused (ImportRefused, with the file name and
// the element's line):
// - a file over kMaxRoadFileBytes, an encoding not read, bytes that are not
//   text in it, anything the XML reader refuses (xml_reader.h), a root
//   element other than LandXML;
// - Units/Imperial, or a Metric@linearUnit other than "meter";
// - CoordGeom/IrregularLine and CoordGeom/Chain;
// - ProfAlign/CircCurve and ProfAlign/UnsymParaCurve: the grade line is read
//   as symmetric parabolas only;
// - a number that does not read whole as a decimal number (NaN and infinity
//   included), or beyond 1e9; a length or radius that is not above 0 (a
//   Line's length may be 0), a rot other than cw/ccw, a Spiral with both
//   radii INF;
// - a StaEquation with staIncrement="decreasing" (stations that run
//   against the road); one not after the one before, or outside the
//   Alignment; one whose staBack is more than 1 mm from the display station
//   at its staInternal;
// - a ProfAlign with fewer than two points, stations not increasing, a
//   ParaCurve at either end, or a vertical curve reaching into its
//   neighbour's;
// - ground stations that decrease; Superelevation stations out of order.
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
