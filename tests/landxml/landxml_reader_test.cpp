#include "landxml/landxml_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>

#include "landxml/alignment_selection.h"
#include "landxml/curve_conversion.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps::landxml {
namespace {

namespace fs = std::filesystem;

fs::path dataFile(const char* name) { return fs::path(PROFILE_SHEET_IMPORT_TEST_DATA) / name; }

std::string fileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The design a road was made from (see data/flatten_design.py).
struct Design {
  double start = 0.0, end = 0.0, interval = 0.0;
  struct Element {
    std::string kind, rot, startName, endName;
    double s0 = 0.0, s1 = 0.0;
    std::optional<double> radius, radiusStart, radiusEnd;
  };
  std::vector<Element> elements;
  std::vector<GradePoint> pvis;
  std::vector<GroundPoint> ground;
  std::optional<StationEquation> equation;
  std::vector<SuperelevationRun> superelevation;
};

std::optional<double> optionalNumber(const std::string& text) {
  if (text == "-") return std::nullopt;
  if (text == "inf") return std::numeric_limits<double>::infinity();
  return std::stod(text);
}

Design readDesign(const char* name) {
  std::istringstream in(fileBytes(dataFile(name)));
  Design d;
  std::string kind;
  while (in >> kind) {
    if (kind == "start") {
      in >> d.start;
    } else if (kind == "end") {
      in >> d.end;
    } else if (kind == "interval") {
      in >> d.interval;
    }
    if (kind == "element") {
      Design::Element e;
      std::string radius, radiusStart, radiusEnd;
      in >> e.kind >> e.s0 >> e.s1 >> e.rot >> radius >> radiusStart >> radiusEnd >> e.startName >> e.endName;
      e.radius = optionalNumber(radius);
      e.radiusStart = optionalNumber(radiusStart);
      e.radiusEnd = optionalNumber(radiusEnd);
      d.elements.push_back(e);
    }
    if (kind == "pvi") {
      GradePoint p;
      in >> p.station >> p.height >> p.curveLength;
      d.pvis.push_back(p);
    }
    if (kind == "ground") {
      GroundPoint p;
      in >> p.station >> p.height;
      d.ground.push_back(p);
    }
    if (kind == "equation") {
      StationEquation q;
      in >> q.internal >> q.back >> q.ahead;
      d.equation = q;
    }
    if (kind == "superelevation") {
      SuperelevationRun s;
      in >> s.beginRunoff >> s.fullSuper >> s.runoff >> s.endRunout >> s.fullSuperelev;
      d.superelevation.push_back(s);
    }
  }
  return d;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// `runTolerance`: how far the superelevation runs' stations may lie from
// the design's (0: exactly as written).
void expectDesign(const Alignment& a, const Design& d, double runTolerance = 0.0) {
  EXPECT_EQ(a.staStart, d.start);
  EXPECT_NEAR(a.staStart + a.length, d.end, 1e-6);
  EXPECT_EQ(a.interval, d.interval);
  ASSERT_EQ(a.elements.size(), d.elements.size());
  for (std::size_t i = 0; i < d.elements.size(); ++i) {
    SCOPED_TRACE("element " + std::to_string(i));
    const GeometryElement& e = a.elements[i];
    const Design::Element& x = d.elements[i];
    const GeometryElement::Kind kind = x.kind == "Line"    ? GeometryElement::Kind::line
                                       : x.kind == "Curve" ? GeometryElement::Kind::curve
                                                           : GeometryElement::Kind::spiral;
    EXPECT_EQ(e.kind, kind);
    EXPECT_NEAR(e.start, x.s0, 1e-6);
    EXPECT_NEAR(e.end, x.s1, 1e-6);
    EXPECT_EQ(e.rotation, x.rot == "cw" ? 1 : x.rot == "ccw" ? -1 : 0);
    EXPECT_EQ(e.radius, x.radius.value_or(0.0));
    EXPECT_EQ(e.radiusStart, x.radiusStart.value_or(kInfinity));
    EXPECT_EQ(e.radiusEnd, x.radiusEnd.value_or(kInfinity));
    EXPECT_EQ(e.startName, x.startName == "-" ? e.startName : x.startName);
    EXPECT_EQ(e.endName, x.endName == "-" ? e.endName : x.endName);
  }
  EXPECT_EQ(a.elements.front().startName, "BP");
  EXPECT_EQ(a.elements.back().endName, "EP");
  // Every element has its points, each starts where the one before ended,
  // and a curve's centre lies its radius from both ends.
  for (std::size_t i = 0; i < a.elements.size(); ++i) {
    SCOPED_TRACE("points of element " + std::to_string(i));
    const GeometryElement& e = a.elements[i];
    ASSERT_TRUE(e.startPoint && e.endPoint);
    if (i > 0) {
      EXPECT_EQ(e.startPoint->northing, a.elements[i - 1].endPoint->northing);
      EXPECT_EQ(e.startPoint->easting, a.elements[i - 1].endPoint->easting);
    }
    ASSERT_EQ(e.centre.has_value(), e.kind == GeometryElement::Kind::curve);
    if (e.centre) {
      for (const PlanPoint& p : {*e.startPoint, *e.endPoint})
        EXPECT_NEAR(std::hypot(p.northing - e.centre->northing, p.easting - e.centre->easting), e.radius, 1e-4);
    }
  }
  ASSERT_EQ(a.grade.size(), d.pvis.size());
  for (std::size_t i = 0; i < d.pvis.size(); ++i) {
    EXPECT_EQ(a.grade[i].station, d.pvis[i].station) << i;
    EXPECT_EQ(a.grade[i].height, d.pvis[i].height) << i;
    EXPECT_EQ(a.grade[i].curveLength, d.pvis[i].curveLength) << i;
  }
  ASSERT_EQ(a.ground.size(), d.ground.size());
  for (std::size_t i = 0; i < d.ground.size(); ++i) {
    EXPECT_EQ(a.ground[i].station, d.ground[i].station) << i;
    EXPECT_EQ(a.ground[i].height, d.ground[i].height) << i;
  }
  ASSERT_EQ(a.equations.size(), d.equation ? 1u : 0u);
  if (d.equation) {
    EXPECT_EQ(a.equations[0].internal, d.equation->internal);
    EXPECT_EQ(a.equations[0].back, d.equation->back);
    EXPECT_EQ(a.equations[0].ahead, d.equation->ahead);
  }
  ASSERT_EQ(a.superelevation.size(), d.superelevation.size());
  for (std::size_t i = 0; i < d.superelevation.size(); ++i) {
    const SuperelevationRun& s = a.superelevation[i];
    const SuperelevationRun& x = d.superelevation[i];
    EXPECT_NEAR(s.beginRunoff, x.beginRunoff, runTolerance) << i;
    EXPECT_NEAR(s.fullSuper, x.fullSuper, runTolerance) << i;
    EXPECT_NEAR(s.runoff, x.runoff, runTolerance) << i;
    EXPECT_NEAR(s.endRunout, x.endRunout, runTolerance) << i;
    EXPECT_EQ(s.fullSuperelev, x.fullSuperelev) << i;
  }
}

TEST(LandXmlReader, TheUtf8RoadIsItsDesign) {
  const Road road = readLandXmlFile(dataFile("road-utf8.xml"), "road-utf8.xml");
  ASSERT_EQ(road.alignments.size(), 1u);
  EXPECT_EQ(road.alignments[0].name, "\xe2\x97\x8b\xe2\x97\x8b\xe8\xb7\xaf\xe7\xb7\x9a");  // ○○路線
  expectDesign(road.alignments[0], readDesign("road-utf8.design.txt"));
  EXPECT_EQ(road.alignments[0].ground.size(), 174u);
  EXPECT_EQ(road.alignments[0].ground[1].station, 3.303);
  EXPECT_EQ(road.alignments[0].ground.back().height, 75.201);
}

TEST(LandXmlReader, TheShiftJisRoadIsItsDesign) {
  const Road road = readLandXmlFile(dataFile("road-sjis.xml"), "road-sjis.xml");
  ASSERT_EQ(road.alignments.size(), 1u);
  EXPECT_EQ(road.alignments[0].name, "\xe2\x97\x8b\xe2\x97\x8b\xe7\xb7\x9a");  // ○○線
  EXPECT_EQ(road.projectName, "\xe8\xa9\xa6\xe9\xa8\x93\xe9\x81\x93\xe8\xb7\xaf");  // 試験道路
  expectDesign(road.alignments[0], readDesign("road-sjis.design.txt"));
  EXPECT_EQ(road.alignments[0].ground.size(), 63u);
}

// J-LandXML's superelevation: the crossfall of each side in the design
// cross sections, read back into the design's runs, each raising the
// outside of its curve (the left of a right-hand curve).
TEST(LandXmlReader, TheCrossSectionRoadIsItsDesign) {
  const Road road = readLandXmlFile(dataFile("road-crosssects.xml"), "road-crosssects.xml");
  ASSERT_EQ(road.alignments.size(), 1u);
  const Alignment& a = road.alignments[0];
  EXPECT_FALSE(a.refusal);
  EXPECT_TRUE(a.warnings.empty());
  expectDesign(a, readDesign("road-crosssects.design.txt"), 0.001);
  const char* rotations[] = {"cw", "cw", "cw", "ccw", "ccw", "cw", "cw", "cw"};
  ASSERT_EQ(a.superelevation.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i)
    EXPECT_EQ(a.superelevation[i].raised, rotations[i] == std::string("cw") ? SuperelevationRun::Side::left
                                                                             : SuperelevationRun::Side::right)
        << i;
}

TEST(LandXmlReader, SmallShiftJisAndLatin1FilesWithAndWithoutTheNamespace) {
  // Shift_JIS with CR LF and no namespace: the name keeps ①, the fullwidth
  // backslash and the tilde; no EndofRunoutSta; an interval of 25 m.
  const Road sjis = readLandXmlFile(dataFile("small-sjis.xml"), "small-sjis.xml");
  ASSERT_EQ(sjis.alignments.size(), 1u);
  const Alignment& a = sjis.alignments[0];
  EXPECT_EQ(a.name, "\xe2\x91\xa0\xe5\x8f\xb7\xe7\xb7\x9a\xef\xbc\xbc\xe6\x94\xaf\xe7\xb7\x9a~");  // ①号線＼支線~
  EXPECT_EQ(a.interval, 25.0);
  ASSERT_EQ(a.elements.size(), 3u);
  EXPECT_EQ(a.elements[1].start, 140.25);
  EXPECT_EQ(a.elements[1].end, 200.25);
  EXPECT_EQ(a.elements[1].rotation, -1);
  EXPECT_EQ(a.elements[1].startName, "BC1");
  EXPECT_EQ(a.elements[2].end, 300.5);
  ASSERT_EQ(a.grade.size(), 3u);
  EXPECT_EQ(a.grade[1].curveLength, 40.0);
  ASSERT_EQ(a.ground.size(), 4u);
  EXPECT_EQ(a.ground[2].station, 150.0);
  ASSERT_EQ(a.superelevation.size(), 1u);
  EXPECT_EQ(a.superelevation[0].endRunout, 180.25);
  EXPECT_EQ(a.superelevation[0].fullSuperelev, 6.0);

  // ISO-8859-1 with the namespace under a prefix: no ground, no
  // superelevation, the interval 20 m when not given.
  const Road latin1 = readLandXmlFile(dataFile("small-latin1-prefixed.xml"), "small-latin1-prefixed.xml");
  ASSERT_EQ(latin1.alignments.size(), 1u);
  EXPECT_EQ(latin1.alignments[0].name, "Route du Ch\xc3\xa2teau");
  EXPECT_EQ(latin1.alignments[0].interval, 20.0);
  EXPECT_EQ(latin1.alignments[0].elements.size(), 1u);
  EXPECT_EQ(latin1.alignments[0].grade.size(), 2u);
  EXPECT_TRUE(latin1.alignments[0].ground.empty());
  EXPECT_TRUE(latin1.alignments[0].superelevation.empty());
}

// A small road whose parts the refusal tests change, line by line.
const std::string kBase =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"                                    // 1
    "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">\n"  // 2
    "  <Units><Metric linearUnit=\"meter\"/></Units>\n"                               // 3
    "  <Alignments>\n"                                                                // 4
    "    <Alignment name=\"A\" length=\"300\" staStart=\"100\">\n"                    // 5
    "      <StaEquation staInternal=\"250\" staBack=\"250\" staAhead=\"260\"/>\n"     // 6
    "      <CoordGeom>\n"                                                             // 7
    "        <Line length=\"100\"><Start name=\"BP\">0 0</Start><End>0 100</End></Line>\n"
    "        <Spiral length=\"20\" radiusStart=\"INF\" radiusEnd=\"200\" rot=\"cw\"><Start name=\"KA1-1\"/>"
    "<End name=\"KE1-1\"/></Spiral>\n"                                                // 9
    "        <Curve length=\"60\" radius=\"200\" rot=\"cw\"><Start name=\"KE1-1\"/><End name=\"KE1-2\"/></Curve>\n"
    "        <Spiral length=\"20\" radiusStart=\"200\" radiusEnd=\"INF\" rot=\"cw\"><Start name=\"KE1-2\"/>"
    "<End name=\"KA1-2\"/></Spiral>\n"                                                // 11
    "        <Line length=\"100\"><Start/><End name=\"EP\"/></Line>\n"                // 12
    "      </CoordGeom>\n"                                                            // 13
    "      <Profile>\n"                                                               // 14
    "        <ProfAlign name=\"P\">\n"                                                // 15
    "          <PVI>100 10</PVI>\n"                                                   // 16
    "          <ParaCurve length=\"40\">250 12</ParaCurve>\n"                         // 17
    "          <PVI>400 11</PVI>\n"                                                   // 18
    "        </ProfAlign>\n"                                                          // 19
    "        <ProfSurf name=\"G\"><PntList2D>100 9 200 9.5 400 10</PntList2D></ProfSurf>\n"
    "      </Profile>\n"                                                              // 21
    "      <Superelevation><BeginRunoffSta>200</BeginRunoffSta><FullSuperSta>220</FullSuperSta>"
    "<RunoffSta>280</RunoffSta><EndofRunoutSta>300</EndofRunoutSta><FullSuperelev>-6</FullSuperelev>"
    "</Superelevation>\n"                                                             // 22
    "      <Feature name=\"Interval\"><Property label=\"main\" value=\"20\"/></Feature>\n"
    "    </Alignment>\n"                                                              // 24
    "  </Alignments>\n"                                                               // 25
    "</LandXML>\n";                                                                   // 26

// kBase with `from` (which must occur once) replaced by `to`.
std::string with(std::string_view from, std::string_view to, std::string text = kBase) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  EXPECT_EQ(text.find(from, at + 1), std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The refusal of the file, or of its only Alignment as the importer
// chooses it.
std::string refusal(std::string_view document) {
  try {
    selectAlignment(readLandXml(document, "road.xml"), {}, "road.xml");
  } catch (const ImportRefused& refused) {
    return refused.message;
  }
  return "accepted";
}

std::string message(int line, std::initializer_list<std::string_view> parts) {
  std::string m = "road.xml" + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": error: ";
  for (std::string_view part : parts) m += part;
  return m;
}

std::string valueMessage(int line, std::string_view where, std::string_view value, const char* predicate) {
  return message(line, {where, " ", sjis::kImportValueOf, " \"", value, "\" ", predicate});
}

TEST(LandXmlReader, TheBaseRoadReadsWhole) {
  const Road road = readLandXml(kBase, "road.xml");
  ASSERT_EQ(road.alignments.size(), 1u);
  const Alignment& a = road.alignments[0];
  ASSERT_EQ(a.elements.size(), 5u);
  EXPECT_EQ(a.elements[2].start, 220.0);
  EXPECT_EQ(a.elements[2].radius, 200.0);
  EXPECT_EQ(a.elements[3].radiusStart, 200.0);
  EXPECT_TRUE(std::isinf(a.elements[3].radiusEnd));
  EXPECT_EQ(a.elements[3].endName, "KA1-2");
  EXPECT_EQ(a.elements[4].startName, "");
  EXPECT_EQ(a.superelevation.at(0).fullSuperelev, -6.0);
  ASSERT_EQ(a.equations.size(), 1u);
  EXPECT_EQ(a.equations[0].ahead, 260.0);
}

TEST(LandXmlReader, StationEquations) {
  // staBack or staInternal may be left out; a second equation counts from
  // the first.
  const Road road = readLandXml(
      with("staInternal=\"250\" staBack=\"250\" staAhead=\"260\"/>",
           "staBack=\"250\" staAhead=\"260\"/>\n<StaEquation staInternal=\"300\" staAhead=\"320\"/>"),
      "road.xml");
  const std::vector<StationEquation>& q = road.alignments.at(0).equations;
  ASSERT_EQ(q.size(), 2u);
  EXPECT_EQ(q[0].internal, 250.0);
  EXPECT_EQ(q[1].internal, 300.0);
  EXPECT_EQ(q[1].back, 310.0);
  EXPECT_EQ(refusal(with("staAhead=\"260\"", "staAhead=\"250\"")), "accepted");  // no jump at all

  // A backward equation: the display stations 230 to 250 occur twice.
  const Road backward = readLandXml(with("staAhead=\"260\"", "staAhead=\"230\""), "road.xml");
  ASSERT_EQ(backward.alignments.at(0).equations.size(), 1u);
  EXPECT_EQ(backward.alignments[0].equations[0].back, 250.0);
  EXPECT_EQ(backward.alignments[0].equations[0].ahead, 230.0);
  EXPECT_EQ(refusal(with("staAhead=\"260\"", "staAhead=\"260\" staIncrement=\"decreasing\"")),
            valueMessage(6, "StaEquation@staIncrement", "decreasing", sjis::kImportNotSupported));
  EXPECT_EQ(refusal(with("staBack=\"250\"", "staBack=\"250.002\"")),
            message(6, {"StaEquation ", sjis::kImportEquationMismatch}));
  EXPECT_EQ(refusal(with("staBack=\"250\"", "staBack=\"250.0009\"")), "accepted");
  EXPECT_EQ(refusal(with("staInternal=\"250\" staBack=\"250\"", "staInternal=\"450\" staBack=\"450\"")),
            message(6, {"StaEquation ", sjis::kImportEquationOutside}));
  EXPECT_EQ(refusal(with("staInternal=\"250\" staBack=\"250\"", "staInternal=\"50\" staBack=\"50\"")),
            message(6, {"StaEquation ", sjis::kImportEquationOutside}));
  EXPECT_EQ(refusal(with("staAhead=\"260\"/>", "staAhead=\"260\"/>\n<StaEquation staInternal=\"250\" staAhead=\"270\"/>")),
            message(7, {"StaEquation ", sjis::kImportEquationOrder}));
  EXPECT_EQ(refusal(with("staInternal=\"250\" staBack=\"250\" ", "")),
            message(6, {"StaEquation@staInternal ", sjis::kImportMissing}));
  EXPECT_EQ(refusal(with(" staAhead=\"260\"", "")), message(6, {"StaEquation@staAhead ", sjis::kImportMissing}));
}

TEST(LandXmlReader, WhatIsNotSupported) {
  EXPECT_EQ(refusal(with("<Metric linearUnit=\"meter\"/>", "<Imperial linearUnit=\"USSurveyFoot\"/>")),
            message(3, {"Units/Imperial ", sjis::kImportNotSupported}));
  EXPECT_EQ(refusal(with("linearUnit=\"meter\"", "linearUnit=\"millimeter\"")),
            valueMessage(3, "Metric@linearUnit", "millimeter", sjis::kImportNotSupported));
  EXPECT_EQ(refusal(with("<Line length=\"100\"><Start/><End name=\"EP\"/></Line>", "<Chain>1 2</Chain>")),
            message(12, {"CoordGeom/Chain ", sjis::kImportNotSupported}));
  EXPECT_EQ(refusal(with("<Line length=\"100\"><Start/><End name=\"EP\"/></Line>", "<IrregularLine/>")),
            message(12, {"CoordGeom/IrregularLine ", sjis::kImportNotSupported}));
  EXPECT_EQ(refusal("<Road/>"), message(1, {sjis::kImportRootElement, " \"Road\" ", sjis::kImportNotLandXml}));
}

TEST(LandXmlReader, NumbersMustReadWholeAndMakeSense) {
  const std::string curve = "radius=\"200\"";
  EXPECT_EQ(refusal(with(curve, "radius=\"abc\"")), valueMessage(10, "Curve@radius", "abc", sjis::kImportNotANumber));
  for (const char* text : {"nan", "inf", "INF", "-inf", "200m", "2 00", "", "+-2", "0x10", "1,5"})
    EXPECT_EQ(refusal(with(curve, std::string("radius=\"") + text + "\"")),
              valueMessage(10, "Curve@radius", text, sjis::kImportNotANumber))
        << text;
  EXPECT_EQ(refusal(with(curve, "radius=\"1e400\"")), valueMessage(10, "Curve@radius", "1e400", sjis::kImportOutOfRange));
  EXPECT_EQ(refusal(with(curve, "radius=\"2e9\"")), valueMessage(10, "Curve@radius", "2e9", sjis::kImportOutOfRange));
  EXPECT_EQ(refusal(with(curve, "radius=\"0\"")), valueMessage(10, "Curve@radius", "0", sjis::kImportNotPositive));
  EXPECT_EQ(refusal(with(curve, "radius=\"-200\"")), valueMessage(10, "Curve@radius", "-200", sjis::kImportNotPositive));
  EXPECT_EQ(refusal(with(curve, "radius=\" +2e2 \"")), "accepted");
  EXPECT_EQ(refusal(with(curve, "")), message(10, {"Curve@radius ", sjis::kImportNotFromPoints}));  // no points either
  EXPECT_EQ(refusal(with("<Curve length=\"60\"", "<Curve length=\"0\"")),
            valueMessage(10, "Curve@length", "0", sjis::kImportNotPositive));
  EXPECT_EQ(refusal(with("<Line length=\"100\"><Start/>", "<Line length=\"0\"><Start/>")), "accepted");
  EXPECT_EQ(refusal(with("<Line length=\"100\"><Start/>", "<Line length=\"-1\"><Start/>")),
            valueMessage(12, "Line@length", "-1", sjis::kImportNegative));
  EXPECT_EQ(refusal(with("radiusStart=\"200\" radiusEnd=\"INF\"", "radiusStart=\"inf\" radiusEnd=\" INF \"")),
            message(11, {"Spiral ", sjis::kImportBothRadiiInfinite}));
  EXPECT_EQ(refusal(with("radiusStart=\"200\" radiusEnd=\"INF\"", "radiusStart=\"200\" radiusEnd=\"Infinity\"")),
            valueMessage(11, "Spiral@radiusEnd", "Infinity", sjis::kImportNotANumber));
  EXPECT_EQ(refusal(with("length=\"60\" radius=\"200\" rot=\"cw\"", "length=\"60\" radius=\"200\" rot=\"right\"")),
            valueMessage(10, "Curve@rot", "right", sjis::kImportNotRotation));
  EXPECT_EQ(refusal(with("length=\"60\" radius=\"200\" rot=\"cw\"", "length=\"60\" radius=\"200\"")),
            message(10, {"Curve@rot ", sjis::kImportMissing}));
  EXPECT_EQ(refusal(with("staStart=\"100\"", "staStart=\"999999701\"")),
            message(5, {"Alignment ", sjis::kImportEndStation, sjis::kImportOutOfRange}));
  EXPECT_EQ(refusal(with("length=\"300\" staStart=\"100\"", "length=\"200\" staStart=\"999999701\"")),
            message(12, {"Line ", sjis::kImportEndStation, sjis::kImportOutOfRange}));
  EXPECT_EQ(refusal(with("staStart=\"100\"", "")), message(5, {"Alignment@staStart ", sjis::kImportMissing}));
  EXPECT_EQ(refusal(with("value=\"20\"", "value=\"0\"")), valueMessage(23, "Property@value", "0", sjis::kImportNotPositive));
  // A value from the file is quoted short, on one line, in Shift-JIS.
  EXPECT_EQ(refusal(with(curve, "radius=\"\xe5\x8d\x8a\xe5\xbe\x84\xf0\x9f\x98\x80" + std::string(50, '9') + "\"")),
            valueMessage(10, "Curve@radius", "\x94\xbc\x8c\x61?" + std::string(37, '9') + "...",
                         sjis::kImportNotANumber));
  EXPECT_EQ(refusal(with("<PVI>100 10</PVI>", "<PVI>100\t10\r\n5</PVI>")),
            valueMessage(16, "PVI", "100?10?5", sjis::kImportNotPairs));
}

TEST(LandXmlReader, TheGradeLine) {
  EXPECT_EQ(refusal(with("<PVI>100 10</PVI>", "<PVI>100 x</PVI>")), valueMessage(16, "PVI", "x", sjis::kImportNotANumber));
  EXPECT_EQ(refusal(with("<PVI>100 10</PVI>", "<PVI>100</PVI>")), valueMessage(16, "PVI", "100", sjis::kImportNotPairs));
  EXPECT_EQ(refusal(with("<PVI>100 10</PVI>", "<PVI>100 10 5</PVI>")),
            valueMessage(16, "PVI", "100 10 5", sjis::kImportNotPairs));
  EXPECT_EQ(refusal(with("<PVI>400 11</PVI>", "<PVI>240 11</PVI>")),
            valueMessage(18, "PVI", "240", sjis::kImportStationNotIncreasing));
  EXPECT_EQ(refusal(with("<PVI>100 10</PVI>", "<ParaCurve length=\"10\">100 10</ParaCurve>")),
            message(16, {"ParaCurve ", sjis::kImportCurveAtEnd}));
  EXPECT_EQ(refusal(with("<PVI>400 11</PVI>", "<ParaCurve length=\"10\">400 11</ParaCurve>")),
            message(18, {"ParaCurve ", sjis::kImportCurveAtEnd}));
  EXPECT_EQ(refusal(with("length=\"40\">250 12", "length=\"302\">250 12")),
            message(17, {"ParaCurve ", sjis::kImportCurvesOverlap}));
  EXPECT_EQ(refusal(with("length=\"40\">250 12", "length=\"300.000001\">250 12")),  // touches both ends: rounding
            "accepted");
  EXPECT_EQ(refusal(with("length=\"40\">250 12", "length=\"-4\">250 12")),
            valueMessage(17, "ParaCurve@length", "-4", sjis::kImportNotPositive));
  EXPECT_EQ(refusal(with("<ParaCurve length=\"40\">250 12</ParaCurve>\n          <PVI>400 11</PVI>", "")),
            message(15, {"ProfAlign ", sjis::kImportTooFewPoints}));
  // The first ProfAlign and the first ProfSurf are read; a ProfSurf's lists
  // join in order.
  const Road road = readLandXml(
      with("<ProfSurf name=\"G\"><PntList2D>100 9 200 9.5 400 10</PntList2D></ProfSurf>",
           "<ProfSurf name=\"G\"><PntList2D>100 9</PntList2D><PntList2D>\n200 9.5\n</PntList2D></ProfSurf>"
           "<ProfSurf><PntList2D>1 2</PntList2D></ProfSurf><ProfAlign><PVI>0 0</PVI><PVI>1 1</PVI></ProfAlign>"),
      "road.xml");
  EXPECT_EQ(road.alignments[0].grade.size(), 3u);
  ASSERT_EQ(road.alignments[0].ground.size(), 2u);
  EXPECT_EQ(road.alignments[0].ground[1].height, 9.5);
  // Without ProfAlign the Alignment is read with an empty grade line.
  EXPECT_TRUE(readLandXml(with("<ProfAlign name=\"P\">", "<Other>", with("</ProfAlign>", "</Other>")), "road.xml")
                  .alignments[0]
                  .grade.empty());
}

// kBase's Alignment (lines 5 to 24) as written, for files of several.
std::string alignmentBlock(std::string_view name) {
  const std::size_t from = kBase.find("    <Alignment "), to = kBase.find("  </Alignments>");
  return with("name=\"A\"", "name=\"" + std::string(name) + "\"", kBase.substr(from, to - from));
}

std::string fileOf(const std::string& alignments) {
  return kBase.substr(0, kBase.find("    <Alignment ")) + alignments + "  </Alignments>\n</LandXML>\n";
}

std::string selected(const Road& road, RoadChoice choice) {
  try {
    return selectAlignment(road, choice, "road.xml").name;
  } catch (const ImportRefused& refused) {
    return refused.message;
  }
}

// A fault in one Alignment refuses that one alone (and one in a ProfAlign
// that line alone); the file is refused only for what spoils it whole.
TEST(LandXmlReader, EachAlignmentStandsAlone) {
  const std::string document =
      fileOf(alignmentBlock("A") + with(" staStart=\"100\"", "", alignmentBlock("B")) +                // lines 25-44
             with("length=\"40\">250", "length=\"-4\">250", alignmentBlock("C")) +                      // 45-64
             with("radius=\"200\"", "radius=\"abc\"", alignmentBlock("D")));                            // 65-84
  const Road road = readLandXml(document, "road.xml");
  ASSERT_EQ(road.alignments.size(), 4u);
  const Alignment &a = road.alignments[0], &b = road.alignments[1], &c = road.alignments[2], &d = road.alignments[3];
  EXPECT_FALSE(a.refusal);
  EXPECT_EQ(a.elements.size(), 5u);
  ASSERT_TRUE(b.refusal);
  EXPECT_EQ(b.refusal->message, message(25, {"Alignment@staStart ", sjis::kImportMissing}));
  EXPECT_EQ(b.name, "B");
  EXPECT_TRUE(b.elements.empty() && b.profAligns.empty() && b.superelevation.empty());
  EXPECT_FALSE(c.refusal);
  EXPECT_EQ(c.elements.size(), 5u);
  ASSERT_EQ(c.profAligns.size(), 1u);
  ASSERT_TRUE(c.profAligns[0].refusal);
  EXPECT_EQ(c.profAligns[0].refusal->message, valueMessage(57, "ParaCurve@length", "-4", sjis::kImportNotPositive));
  EXPECT_TRUE(c.grade.empty());
  EXPECT_EQ(c.ground.size(), 3u);  // the ProfSurf read well
  ASSERT_TRUE(d.refusal);
  EXPECT_EQ(d.refusal->message, valueMessage(70, "Curve@radius", "abc", sjis::kImportNotANumber));

  EXPECT_EQ(selected(road, {"A", {}, {}}), "A");
  EXPECT_EQ(selected(road, {"C", {}, {}}), c.profAligns[0].refusal->message);
  EXPECT_EQ(selected(road, {}), message(0, {sjis::kImportSeveralAlignments, "\"A\"\n"}) +
                                    "road.xml:25: note: Alignment \"B\" " + sjis::kImportCannotImport +
                                    b.refusal->detail + "\n" + "road.xml:57: note: Alignment \"C\" " +
                                    sjis::kImportCannotImport + c.profAligns[0].refusal->detail + "\n" +
                                    "road.xml:70: note: Alignment \"D\" " + sjis::kImportCannotImport +
                                    d.refusal->detail + "\n");
  // What no Alignment can stand apart from: the XML itself, the units.
  EXPECT_EQ(refusal(with("radius=\"abc\"", "radius=abc", document)).substr(0, 38),
            message(70, {sjis::kImportSyntax}).substr(0, 38));
  EXPECT_EQ(refusal(with("<Metric linearUnit=\"meter\"/>", "<Imperial/>", document)),
            message(3, {"Units/Imperial ", sjis::kImportNotSupported}));
}

// LandXML makes Line@length, Curve@length and Curve@radius optional: the
// points give them. A written value more than a millimetre from its points
// is kept, with a warning.
TEST(LandXmlReader, LengthsAndRadiiFromThePoints) {
  const std::string geometry =
      "        <Line><Start name=\"BP\">0 0</Start><End>0 100</End></Line>\n"                        // 8
      "        <Curve rot=\"ccw\"><Start>0 100</Start><Center>100 100</Center><End>100 200</End></Curve>\n"
      "        <Line length=\"100.0009\"><Start>100 200</Start><End>200 200</End></Line>\n"             // 10
      "        <Curve rot=\"cw\" radius=\"100.5\" length=\"471\"><Start>200 200</Start><Center>300 200</Center>"
      "<End>300 100</End></Curve>\n"                                                                // 11
      "        <Line length=\"50\"><Start>300 100</Start><End name=\"EP\"/></Line>\n";                 // 12
  std::string document = kBase;
  const std::size_t from = document.find("        <Line length=\"100\"><Start name=\"BP\">");
  const std::size_t to = document.find("      </CoordGeom>");
  document.replace(from, to - from, geometry);
  document = with("length=\"300\"", "length=\"878.6\"", document);
  const Road road = readLandXml(document, "road.xml");
  const Alignment& a = road.alignments.at(0);
  ASSERT_FALSE(a.refusal);
  ASSERT_EQ(a.elements.size(), 5u);
  EXPECT_EQ(a.elements[0].length, 100.0);
  EXPECT_EQ(a.elements[1].radius, 100.0);
  EXPECT_NEAR(a.elements[1].length, 50 * std::numbers::pi, 1e-9);  // a quarter turn to the left
  EXPECT_EQ(a.elements[2].length, 100.0009);
  EXPECT_EQ(a.elements[3].radius, 100.5);  // as written, the points' 100 beside it
  EXPECT_EQ(a.elements[3].length, 471.0);   // the points': a quarter turn to the right
  EXPECT_NEAR(a.elements[4].start, 100 + 100 + 50 * std::numbers::pi + 100.0009 + 471, 1e-9);
  ASSERT_EQ(a.warnings.size(), 2u);
  EXPECT_EQ(a.warnings[0].line, 11);
  EXPECT_EQ(a.warnings[0].text, std::string("Curve@radius 100.5000") + sjis::kImportFromPointsValue + "100.0000" +
                                    sjis::kImportDiffersOverMm);
  EXPECT_EQ(a.warnings[1].text, std::string("Curve@length 471.0000") + sjis::kImportFromPointsValue + "157.0796" +
                                    sjis::kImportDiffersOverMm);
  EXPECT_EQ(warningLine("road.xml", a.warnings[0]), "road.xml:11: warning: " + a.warnings[0].text + "\n");

  // Neither attribute nor points: the Alignment is refused, naming it.
  EXPECT_EQ(refusal(with("<Line><Start name=\"BP\">0 0</Start><End>0 100</End></Line>",
                         "<Line><Start name=\"BP\">0 0</Start><End>0 x</End></Line>", document)),
            message(8, {"Line@length ", sjis::kImportNotFromPoints}));
  EXPECT_EQ(refusal(with("<Center>100 100</Center>", "", document)), message(9, {"Curve@radius ", sjis::kImportNotFromPoints}));
  EXPECT_EQ(refusal(with("<End>100 200</End></Curve>", "<End>0 100</End></Curve>", document)),  // no turn
            message(9, {"Curve@radius ", sjis::kImportNotFromPoints}));
  EXPECT_EQ(refusal(with("<Start name=\"BP\">0 0</Start><End>0 100</End>",
                         "<Start name=\"BP\">-9e8 -9e8</Start><End>9e8 9e8</End>", document)),
            message(8, {"Line@length ", sjis::kImportOutOfRange}));
}

// Points written twice alike are one; one station at two heights is not.
TEST(LandXmlReader, RepeatedPvis) {
  const Road road = readLandXml(with("<PVI>100 10</PVI>", "<PVI>100 10</PVI><PVI>100.0000 10.000</PVI>"), "road.xml");
  const Alignment& a = road.alignments.at(0);
  EXPECT_EQ(a.grade.size(), 3u);
  ASSERT_EQ(a.profAligns.at(0).warnings.size(), 1u);
  EXPECT_EQ(a.profAligns[0].warnings[0].line, 16);
  EXPECT_EQ(a.profAligns[0].warnings[0].text, std::string("PVI ") + sjis::kImportIs + " 16" + sjis::kImportSameAsLine);
  EXPECT_EQ(refusal(with("<PVI>400 11</PVI>", "<PVI>400 11</PVI>\n<PVI>400 11.5</PVI>")),
            message(19, {"PVI ", sjis::kImportIs, " 18", sjis::kImportSameStationDiffers}));
  EXPECT_EQ(refusal(with("<PVI>400 11</PVI>", "<ParaCurve length=\"10\">400 11</ParaCurve>\n<PVI>400 11</PVI>")),
            message(19, {"PVI ", sjis::kImportIs, " 18", sjis::kImportSameStationDiffers}));
}

// CircCurve and UnsymParaCurve, as the grade line's symmetric parabolas
// (their geometry: curve_conversion_test.cpp).
TEST(LandXmlReader, CircularAndUnsymmetricVerticalCurves) {
  const std::string paraCurve = "<ParaCurve length=\"40\">250 12</ParaCurve>";
  const auto grade = [](const std::string& document) { return readLandXml(document, "road.xml").alignments.at(0); };
  // Grades +1.333 % and -0.667 %: a circle of 4000 m is 80 m long, and one
  // parabola follows it.
  const Alignment circle = grade(with(paraCurve, "<CircCurve radius=\"-4000.0\">250 12</CircCurve>"));
  ASSERT_EQ(circle.grade.size(), 3u);
  EXPECT_EQ(circle.grade[1].station, 250.0);
  const VerticalCircle c = verticalCircle(250, 12, 2.0 / 150, -1.0 / 150, 4000);
  EXPECT_NEAR(circle.grade[1].curveLength, 80.0, 0.01);
  EXPECT_EQ(circle.grade[1].curveLength, c.end - c.begin);
  EXPECT_TRUE(circle.profAligns[0].warnings.empty());
  // By its length alone; a length that is not the radius's, with a warning.
  EXPECT_EQ(grade(with(paraCurve, "<CircCurve length=\"80\">250 12</CircCurve>")).grade[1].curveLength, 80.0);
  const std::vector<ReaderWarning> both =
      grade(with(paraCurve, "<CircCurve length=\"40\" radius=\"4000\">250 12</CircCurve>")).profAligns[0].warnings;
  ASSERT_EQ(both.size(), 1u);
  EXPECT_EQ(both[0].line, 17);
  EXPECT_EQ(both[0].text, "CircCurve@length 40.000" + std::string(sjis::kImportFromRadiusValue) +
                                       formatFixed(c.end - c.begin, 0, 3) + sjis::kImportDiffersUseRadius);
  EXPECT_TRUE(grade(with(paraCurve, "<CircCurve length=\"" + formatFixed(c.end - c.begin + 0.0009, 0, 4) +
                                        "\" radius=\"4000\">250 12</CircCurve>"))
                  .profAligns[0].warnings.empty());  // within a millimetre
  // A sharp crest that takes several parabolas, touching end to end.
  const Alignment sharp = grade(with(paraCurve, "<CircCurve radius=\"600\">250 22</CircCurve>"));
  ASSERT_GT(sharp.grade.size(), 3u);
  for (std::size_t i = 2; i + 1 < sharp.grade.size(); ++i)
    EXPECT_NEAR(sharp.grade[i - 1].station + sharp.grade[i - 1].curveLength / 2,
                sharp.grade[i].station - sharp.grade[i].curveLength / 2, 1e-9);

  EXPECT_EQ(refusal(with(paraCurve, "<CircCurve>250 12</CircCurve>")), message(17, {"CircCurve@radius ", sjis::kImportMissing}));
  EXPECT_EQ(refusal(with(paraCurve, "<CircCurve radius=\"0\">250 12</CircCurve>")),
            valueMessage(17, "CircCurve@radius", "0", sjis::kImportNotPositive));
  EXPECT_EQ(refusal(with(paraCurve, "<CircCurve radius=\"40000\">250 12</CircCurve>")),  // 320 m long
            message(17, {"CircCurve ", sjis::kImportCurvesOverlap}));
  EXPECT_EQ(refusal(with("<PVI>100 10</PVI>\n          " + paraCurve + "\n          <PVI>400 11</PVI>",
                         "<PVI>100 0</PVI>\n          <CircCurve radius=\"50\">200 300</CircCurve>\n"
                         "          <PVI>300 0</PVI>")),
            message(17, {"CircCurve ", sjis::kImportCircleNotFollowed}));

  // Lengths 20 m in and 30 m out: PVIs on the grades 10 m before and 15 m
  // after the written one, touching there.
  const Alignment unsym = grade(with(paraCurve, "<UnsymParaCurve lengthIn=\"20\" lengthOut=\"30\">250 12</UnsymParaCurve>"));
  ASSERT_EQ(unsym.grade.size(), 4u);
  EXPECT_EQ(unsym.grade[1].station, 240.0);
  EXPECT_NEAR(unsym.grade[1].height, 12 - 10 * 2.0 / 150, 1e-12);
  EXPECT_EQ(unsym.grade[1].curveLength, 20.0);
  EXPECT_EQ(unsym.grade[2].station, 265.0);
  EXPECT_NEAR(unsym.grade[2].height, 12 - 15 * 1.0 / 150, 1e-12);
  EXPECT_EQ(unsym.grade[2].curveLength, 30.0);
  EXPECT_EQ(refusal(with(paraCurve, "<UnsymParaCurve lengthOut=\"30\">250 12</UnsymParaCurve>")),
            message(17, {"UnsymParaCurve@lengthIn ", sjis::kImportMissing}));
  EXPECT_EQ(refusal(with(paraCurve, "<UnsymParaCurve lengthIn=\"200\" lengthOut=\"30\">250 12</UnsymParaCurve>")),
            message(17, {"UnsymParaCurve ", sjis::kImportCurvesOverlap}));
}

// Every ProfAlign and ProfSurf is kept by name; the first of each is the
// grade line and the ground unless others are chosen.
TEST(LandXmlReader, SeveralProfAlignsAndProfSurfs) {
  const Road road = readLandXml(
      with("      </Profile>",
           "        <ProfAlign name=\"P_NEU\"><PVI>100 11</PVI><PVI>400 12</PVI></ProfAlign>\n"
           "        <ProfAlign name=\"P_OLD\"><PVI>100 x</PVI></ProfAlign>\n"
           "        <ProfSurf name=\"G2\"><PntList2D>100 8 400 8</PntList2D></ProfSurf>\n      </Profile>"),
      "road.xml");
  const Alignment& a = road.alignments.at(0);
  ASSERT_EQ(a.profAligns.size(), 3u);
  EXPECT_EQ(a.profAligns[1].name, "P_NEU");
  EXPECT_EQ(a.profAligns[1].line, 21);
  EXPECT_EQ(a.profAligns[1].points.size(), 2u);
  ASSERT_TRUE(a.profAligns[2].refusal);
  EXPECT_EQ(a.profAligns[2].refusal->line, 22);
  EXPECT_EQ(a.grade.size(), 3u);
  EXPECT_EQ(a.gradeName, "P");
  ASSERT_EQ(a.profSurfs.size(), 2u);
  EXPECT_EQ(a.profSurfs[1].points.size(), 2u);
  EXPECT_EQ(a.ground.size(), 3u);
  EXPECT_EQ(selectAlignment(road, {{}, "P_NEU", "G2"}, "road.xml").ground.at(0).height, 8.0);
}

// Without Superelevation elements the cross sections' carriageway gives
// the runs; with them, the elements count and a disagreement over 0.1 % is
// a warning. A surface the crossfall does not use is not read.
TEST(LandXmlReader, SuperelevationFromTheCrossSections) {
  const auto sections = [](std::initializer_list<std::tuple<double, double, double>> list, const char* extra = "") {
    std::string text = "      <CrossSects>\n";
    for (const auto& [station, left, right] : list) {
      text += "        <CrossSect sta=\"" + formatFixed(station, 0, 3) + "\">";
      text += "<DesignCrossSectSurf name=\"\xe8\xbb\x8a\xe9\x81\x93\" side=\"left\"><CrossSectPnt code=\"CL\">0 10</CrossSectPnt>"
              "<CrossSectPnt>-3.5 " + formatFixed(10 + left * 0.035, 0, 5) + "</CrossSectPnt></DesignCrossSectSurf>";
      text += "<DesignCrossSectSurf name=\"\xe6\xad\xa9\xe9\x81\x93\" side=\"right\"><CrossSectPnt>x</CrossSectPnt>"
              "</DesignCrossSectSurf>";  // a sidewalk: not read
      text += "<DesignCrossSectSurf name=\"Carriageway\" side=\"right\"><CrossSectPnt>0 10</CrossSectPnt>"
              "<CrossSectPnt>3.5 " + formatFixed(10 + right * 0.035, 0, 5) + "</CrossSectPnt></DesignCrossSectSurf>";
      text += extra;
      text += "</CrossSect>\n";
    }
    return text + "      </CrossSects>\n";
  };
  const std::string superelevation = kBase.substr(kBase.find("      <Superelevation>"),
                                                  kBase.find("      <Feature") - kBase.find("      <Superelevation>"));
  // A right-hand curve from 200 to 300: its left side rises to +6 %.
  const std::string curve = sections({{100, -2, -2}, {200, -2, -2}, {210, 2, -2}, {220, 6, -6}, {280, 6, -6},
                                      {290, 2, -2}, {300, -2, -2}, {400, -2, -2}});
  const Road road = readLandXml(with(superelevation, curve), "road.xml");
  const Alignment& a = road.alignments.at(0);
  EXPECT_TRUE(a.warnings.empty());
  ASSERT_EQ(a.superelevation.size(), 1u);
  EXPECT_NEAR(a.superelevation[0].beginRunoff, 200, 1e-9);
  EXPECT_NEAR(a.superelevation[0].fullSuper, 220, 1e-9);
  EXPECT_NEAR(a.superelevation[0].runoff, 280, 1e-9);
  EXPECT_NEAR(a.superelevation[0].endRunout, 300, 1e-9);
  EXPECT_EQ(a.superelevation[0].fullSuperelev, 6.0);
  EXPECT_EQ(a.superelevation[0].raised, SuperelevationRun::Side::left);

  // Both: the element's -6 % against the sections' 6 % agrees; 5 % does not.
  EXPECT_TRUE(readLandXml(with(superelevation, superelevation + curve), "road.xml").alignments[0].warnings.empty());
  const std::string five = sections({{100, -2, -2}, {220, 5, -5}, {280, 5, -5}, {400, -2, -2}});
  const Alignment disagree = readLandXml(with(superelevation, superelevation + five), "road.xml").alignments[0];
  ASSERT_EQ(disagree.warnings.size(), 1u);
  EXPECT_EQ(disagree.warnings[0].line, 22);
  EXPECT_EQ(disagree.warnings[0].text, std::string(sjis::kImportFullSuperelevOf) + "-6.000" +
                                           sjis::kImportAgainstCrossSects + "5.000" + sjis::kImportSuperelevationDiffers);
  EXPECT_EQ(disagree.superelevation.at(0).fullSuperelev, -6.0);

  // A side without a carriageway surface among several, and no usable
  // section at all: a warning.
  std::string unnamed = with("name=\"\xe8\xbb\x8a\xe9\x81\x93\"", "name=\"A\"", sections({{100, -2, -2}}));
  unnamed = with("<CrossSectPnt>0 10</CrossSectPnt><CrossSectPnt>3.5", "<CrossSectPnt>0 10</CrossSectPnt><CrossSectPnt>0.001",
                 unnamed);
  unnamed = with("</CrossSect>", "<DesignCrossSectSurf name=\"B\" side=\"left\"/></CrossSect>", unnamed);
  const Alignment none = readLandXml(with(superelevation, unnamed), "road.xml").alignments[0];
  EXPECT_TRUE(none.superelevation.empty());
  ASSERT_EQ(none.warnings.size(), 1u);
  EXPECT_EQ(none.warnings[0].line, 22);
  EXPECT_EQ(none.warnings[0].text, std::string("CrossSects ") + sjis::kImportNoCrossfall);

  // A point of the carriageway that does not read refuses the Alignment.
  EXPECT_EQ(refusal(with(superelevation, with("<CrossSectPnt code=\"CL\">0 10</CrossSectPnt>",
                                              "<CrossSectPnt code=\"CL\">0 ten</CrossSectPnt>",
                                              sections({{100, -2, -2}})))),
            valueMessage(23, "CrossSectPnt", "ten", sjis::kImportNotANumber));
  EXPECT_EQ(refusal(with(superelevation, with("sta=\"100.000\"", "sta=\"No.5\"", sections({{100, -2, -2}})))),
            valueMessage(23, "CrossSect@sta", "No.5", sjis::kImportNotANumber));
}

// Line ends as XML counts them, to the document's very end; a second
// equation without staInternal counts from the one before.
TEST(LandXmlReader, LinesAndEquationsCountedAsBefore) {
  const std::string unclosed = kBase.substr(0, kBase.size() - std::string("</LandXML>\n").size());
  EXPECT_EQ(refusal(unclosed), message(26, {sjis::kImportUnclosedRoot}));
  EXPECT_EQ(refusal(unclosed + "\r"), message(27, {sjis::kImportUnclosedRoot}));
  EXPECT_EQ(refusal(unclosed + "\r\n\r"), message(28, {sjis::kImportUnclosedRoot}));
  const Road road = readLandXml(with("staAhead=\"260\"/>", "staAhead=\"260\"/><StaEquation staBack=\"320\" staAhead=\"330\"/>"),
                                "road.xml");
  const std::vector<StationEquation>& q = road.alignments.at(0).equations;
  ASSERT_EQ(q.size(), 2u);
  EXPECT_EQ(q[1].internal, 310.0);
  EXPECT_EQ(q[1].back, 320.0);
  EXPECT_EQ(q[1].ahead, 330.0);
}

TEST(LandXmlReader, GroundAndSuperelevation) {
  EXPECT_EQ(refusal(with("100 9 200 9.5 400 10", "100 9 200 9.5 150 10")),
            valueMessage(20, "ProfSurf/PntList2D", "150", sjis::kImportStationDecreases));
  EXPECT_EQ(refusal(with("100 9 200 9.5 400 10", "100 9 100 9.5 400 10")), "accepted");  // a step
  EXPECT_EQ(refusal(with("100 9 200 9.5 400 10", "100 9 200 9.5 400")),
            valueMessage(20, "ProfSurf/PntList2D", "100 9 200 9.5 400", sjis::kImportNotPairs));
  EXPECT_EQ(refusal(with("<FullSuperSta>220</FullSuperSta>", "")),
            message(22, {"Superelevation/FullSuperSta ", sjis::kImportMissing}));
  EXPECT_EQ(refusal(with("<FullSuperSta>220</FullSuperSta>", "<FullSuperSta>190</FullSuperSta>")),
            message(22, {"Superelevation ", sjis::kImportSuperelevationOrder}));
  EXPECT_EQ(refusal(with("<FullSuperelev>-6</FullSuperelev>", "<FullSuperelev>-6%</FullSuperelev>")),
            valueMessage(22, "Superelevation/FullSuperelev", "-6%", sjis::kImportNotANumber));
}

TEST(LandXmlReader, EncodingAndXmlRefusalsNameTheFile) {
  EXPECT_EQ(refusal(with("encoding=\"UTF-8\"", "encoding=\"x-no-such-table\"")),
            message(1, {sjis::kImportEncoding, " \"x-no-such-table\" ", sjis::kImportNotSupported}));
  EXPECT_EQ(refusal(with("name=\"A\"", "name=\"\x8e\xc0\"")),
            message(5, {sjis::kImportEncoding, " \"UTF-8\" ", sjis::kImportInvalidBytes}));
  EXPECT_EQ(refusal("\xef\xbb\xbf<?xml version='1.0' encoding='cp932'?><LandXML/>"),
            message(1, {sjis::kImportEncoding, " \"cp932\" ", sjis::kImportIs, "UTF-8", sjis::kImportMarkConflict}));
  EXPECT_EQ(refusal("<?xml version='1.0' encoding='UTF-8'><LandXML/>"), message(1, {sjis::kImportBadDeclaration}));
  EXPECT_EQ(refusal(with("<LandXML", "<!DOCTYPE LandXML SYSTEM \"http://127.0.0.1:9/x.dtd\">\n<LandXML")),
            message(2, {sjis::kImportDoctype}));
  EXPECT_EQ(refusal(with("</LandXML>\n", "")), message(26, {sjis::kImportUnclosedRoot}));
  EXPECT_EQ(refusal(""), message(1, {sjis::kImportNoRoot}));
  EXPECT_EQ(refusal(kBase + "<LandXML/>"), message(27, {sjis::kImportAfterRoot}));
  std::string deep = with("<Units>", std::string(300, ' ').replace(0, 300, [] {
                                       std::string s;
                                       for (int i = 0; i < 300; ++i) s += "<x>";
                                       return s;
                                     }()));
  EXPECT_EQ(refusal(deep), message(3, {sjis::kImportTooDeep}));
  const std::string syntax = refusal(with("<Units>", "<Units a=1>"));
  EXPECT_EQ(syntax.substr(0, message(3, {sjis::kImportSyntax}).size()), message(3, {sjis::kImportSyntax}));
  EXPECT_TRUE(syntax.ends_with("\n"));
  EXPECT_EQ(syntax.find('\n'), syntax.size() - 1);
}

TEST(LandXmlReader, TheFileSizeIsCheckedBeforeReading) {
  const fs::path folder = fs::temp_directory_path() / ("landxml-size-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const fs::path big = folder / "big.xml";
  { std::ofstream(big, std::ios::binary) << "<LandXML/>"; }
  fs::resize_file(big, kMaxRoadFileBytes + 1);  // sparse: nothing is written
  std::string refused;
  try {
    readLandXmlFile(big, "big.xml");
  } catch (const ImportRefused& e) {
    refused = e.message;
  }
  EXPECT_EQ(refused, std::string("big.xml: error: ") + sjis::kImportFileTooLarge);

  const auto cannotRead = [](const fs::path& path) {
    try {
      readLandXmlFile(path, "x.xml");
    } catch (const ImportRefused& e) {
      return e.message;
    }
    return std::string("accepted");
  };
  EXPECT_EQ(cannotRead(folder / "missing.xml"), std::string("x.xml: error: ") + sjis::kImportCannotRead);
  EXPECT_EQ(cannotRead(folder), std::string("x.xml: error: ") + sjis::kImportCannotRead);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace ps::landxml
