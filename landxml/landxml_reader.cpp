#include "landxml/landxml_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <span>
#include <system_error>
#include <vector>

#include "landxml/cross_section_superelevation.h"
#include "landxml/grade_line.h"
#include "landxml/plan_geometry.h"
#include "xml/xml_encoding.h"
#include "xml/xml_reader.h"
#include "text/shift_jis.h"

namespace ps::landxml {

namespace {

using xml::decodeXmlDocument;
using xml::parseXml;
using xml::XmlAttribute;
using xml::XmlEncodingError;
using xml::XmlError;
using xml::XmlHandler;

constexpr double kMaxMagnitude = 1e9;
// How far a StaEquation's staBack may lie from the display station at its
// staInternal (rounding of the written values).
constexpr double kEquationTolerance = 0.001;
// How far an equation and the Alignment's ends may overlap by rounding.
constexpr double kTouchTolerance = 1e-6;
// How far a written length or radius may lie from what its points give.
constexpr double kPointTolerance = 0.001;
// How far the crossfall of the cross sections may lie from a
// Superelevation element's (percent).
constexpr double kSuperelevationTolerance = 0.1;

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isXmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isXmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The white-space separated tokens of a text, one at a time.
class Tokens {
 public:
  explicit Tokens(std::string_view text) : text_(text) {}
  bool next(std::string_view& token) {
    while (pos_ < text_.size() && isXmlSpace(text_[pos_])) ++pos_;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !isXmlSpace(text_[pos_])) ++pos_;
    token = text_.substr(start, pos_ - start);
    return pos_ > start;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::vector<std::string_view> tokens(std::string_view text) {
  std::vector<std::string_view> out;
  Tokens all(text);
  for (std::string_view token; all.next(token);) out.push_back(token);
  return out;
}

std::optional<std::string_view> attribute(std::span<const XmlAttribute> attributes, std::string_view name) {
  for (const XmlAttribute& a : attributes)
    if (a.name == name) return a.value;
  return std::nullopt;
}

enum class NumberProblem { none, notANumber, outOfRange };

// A decimal number as written in the file: white space around it, an
// optional sign, digits with an optional point and exponent, read whole.
// Infinities and NaN are not numbers here; beyond kMaxMagnitude is out of
// range.
NumberProblem readNumber(std::string_view text, double& value) {
  text = trimmed(text);
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('+') || text.starts_with('-')) return NumberProblem::notANumber;
  }
  if (text.empty()) return NumberProblem::notANumber;
  double v = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
  if (error == std::errc::result_out_of_range) return NumberProblem::outOfRange;
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return NumberProblem::notANumber;
  if (!(std::fabs(v) <= kMaxMagnitude)) return NumberProblem::outOfRange;
  value = v;
  return NumberProblem::none;
}

enum class Bound { any, nonNegative, positive };

bool isInfiniteRadius(std::string_view text) {
  text = trimmed(text);
  return text.size() == 3 && (text[0] == 'I' || text[0] == 'i') && (text[1] == 'N' || text[1] == 'n') &&
         (text[2] == 'F' || text[2] == 'f');
}

// What an open element is to the reader.
enum class Role {
  none,  // above the root
  other,
  root,
  units,
  alignments,
  alignment,
  coordGeom,
  geometry,
  profile,
  profAlign,
  profSurf,
  intervalFeature,
  superelevation,
  crossSects,
  crossSect,
  crossSectSurf,        // a DesignCrossSectSurf of a side
  planPoint,            // Start, End, Center of a CoordGeom element: text read
  gradePoint,           // PVI, ParaCurve, CircCurve, UnsymParaCurve: text read
  groundList,           // PntList2D: text read
  superelevationValue,  // a station or the superelevation: text read
  crossSectPoint,       // CrossSectPnt: text read
};

bool readsText(Role role) {
  return role == Role::planPoint || role == Role::gradePoint || role == Role::groundList ||
         role == Role::superelevationValue || role == Role::crossSectPoint;
}

struct OpenElement {
  Role role;
  std::string name;
  int line;
};

struct PendingEquation {
  std::optional<double> internal;
  std::optional<double> back;
  double ahead = 0.0;
  int line = 0;
};

struct PendingSuperelevation {
  std::optional<double> beginRunoff, fullSuper, runoff, endRunout, fullSuperelev;
  int line = 0;
};

// A CoordGeom element's attributes as written, settled against its points
// at its end.
struct PendingGeometry {
  std::string name;
  int line = 0;
  std::optional<double> length, radius;
};

// A DesignCrossSectSurf of one side, its points kept as written until the
// section shows which surfaces are the carriageway.
struct PendingSurface {
  SuperelevationRun::Side side = SuperelevationRun::Side::left;
  bool carriageway = false;
  struct Point {
    std::string text;
    int line;
  };
  std::vector<Point> points;
};

struct PendingSection {
  double station = 0.0;
  std::vector<PendingSurface> surfaces;
};

class RoadBuilder final : public XmlHandler {
 public:
  RoadBuilder(Road& road, std::string_view fileName) : road_(road), fileName_(fileName) {}

  void startElement(std::string_view name, std::span<const XmlAttribute> attributes, int line) override;
  void endElement(std::string_view name) override;
  void characters(std::string_view text) override {
    if (!open_.empty() && readsText(open_.back().role) && !inFailedScope()) text_.append(text);
  }

 private:
  RefusalMessage at(int line) const { return RefusalMessage(fileName_, line); }
  // "SUBJECT TEXT", as in "Units/Imperial には対応していません。"
  [[noreturn]] void refuse(int line, std::string_view subject, const char* text) const {
    at(line).ascii(subject).ascii(" ").sjis(text).refuse();
  }
  // "WHERE の値 "VALUE" TEXT", as in "Curve@radius の値 "abc" は数値として読めません。"
  [[noreturn]] void refuseValue(int line, std::string_view where, std::string_view value, const char* text) const {
    at(line).ascii(where).ascii(" ").sjis(sjis::kImportValueOf).ascii(" ").quoted(value).ascii(" ").sjis(text).refuse();
  }
  Alignment& alignment() { return road_.alignments.back(); }

  // A refusal inside an Alignment refuses that Alignment only, and one
  // inside a ProfAlign or ProfSurf that line only: the scope keeps the
  // refusal and the rest of it is passed over.
  bool inFailedScope() const { return alignmentFailed_ || lineFailed_; }
  void fail(ImportRefused refused);
  // Opens the scope of a ProfAlign or ProfSurf, whose element comes next.
  void openLine(Role kind);
  Role startRole(std::string_view name, std::span<const XmlAttribute> attributes, int line);
  void end(const OpenElement& element);

  double value(std::string_view text, std::string_view where, int line, Bound bound) const;
  double number(std::span<const XmlAttribute> attributes, std::string_view element, std::string_view name, int line,
                Bound bound) const;
  std::optional<double> optionalNumber(std::span<const XmlAttribute> attributes, std::string_view element,
                                       std::string_view name, int line) const;
  int rotation(std::span<const XmlAttribute> attributes, std::string_view element, int line) const;
  double spiralRadius(std::span<const XmlAttribute> attributes, std::string_view name, int line) const;

  void checkMetric(std::span<const XmlAttribute> attributes, int line) const;
  void beginAlignment(std::span<const XmlAttribute> attributes, int line);
  void readGeometry(std::string_view name, std::span<const XmlAttribute> attributes, int line);
  double settled(std::optional<double> written, std::optional<double> fromPoints, std::string_view where, int line,
                 Bound bound);
  void endGeometry();
  void readEquation(std::span<const XmlAttribute> attributes, int line);
  void readPlanPoint(const OpenElement& element);
  void beginGradePoint(std::string_view name, std::span<const XmlAttribute> attributes, int line);
  void readGradePoint(const OpenElement& element);
  void endProfAlign();
  void readGround(const OpenElement& element);
  void readSuperelevationValue(const OpenElement& element);
  void endSuperelevation();
  void beginCrossSectSurf(std::span<const XmlAttribute> attributes);
  void readCrossSectPoint(const OpenElement& element);
  void endCrossSect();
  void superelevationFromCrossSections();
  void endAlignment();

  Road& road_;
  std::string fileName_;
  std::vector<OpenElement> open_;
  std::string text_;  // of the open element whose text is read

  // The open scopes that a refusal can end: the Alignment and, in it, a
  // ProfAlign or ProfSurf (their places in open_), and whether they failed.
  std::size_t alignmentDepth_ = 0;
  bool inAlignment_ = false;
  bool alignmentFailed_ = false;
  std::size_t lineDepth_ = 0;
  Role lineKind_ = Role::other;
  bool inLine_ = false;
  bool lineFailed_ = false;

  // The Alignment being read: what the model does not keep.
  double nextStation_ = 0.0;
  bool intervalSeen_ = false;
  PendingGeometry geometry_;
  std::vector<WrittenGradePoint> written_;  // of the ProfAlign being read
  WrittenGradePoint gradePoint_;            // the point being read
  std::vector<PendingEquation> equations_;
  PendingSuperelevation superelevation_;
  std::vector<int> superelevationLines_;  // of the Superelevation elements read
  int crossSectsLine_ = 0;
  PendingSection section_;
  std::vector<SectionCrossfall> sections_;
};

double RoadBuilder::value(std::string_view text, std::string_view where, int line, Bound bound) const {
  double v = 0.0;
  const NumberProblem problem = readNumber(text, v);
  const char* predicate = nullptr;
  if (problem == NumberProblem::notANumber) predicate = sjis::kImportNotANumber;
  else if (problem == NumberProblem::outOfRange) predicate = sjis::kImportOutOfRange;
  else if (bound == Bound::positive && !(v > 0.0)) predicate = sjis::kImportNotPositive;
  else if (bound == Bound::nonNegative && !(v >= 0.0)) predicate = sjis::kImportNegative;
  if (predicate)
    refuseValue(line, where, text, predicate);
  return v;
}

double RoadBuilder::number(std::span<const XmlAttribute> attributes, std::string_view element, std::string_view name,
                           int line, Bound bound) const {
  const std::string where = std::string(element) + "@" + std::string(name);
  const std::optional<std::string_view> text = attribute(attributes, name);
  if (!text) refuse(line, where, sjis::kImportMissing);
  return value(*text, where, line, bound);
}

std::optional<double> RoadBuilder::optionalNumber(std::span<const XmlAttribute> attributes, std::string_view element,
                                                  std::string_view name, int line) const {
  if (!attribute(attributes, name)) return std::nullopt;
  return number(attributes, element, name, line, Bound::any);
}

int RoadBuilder::rotation(std::span<const XmlAttribute> attributes, std::string_view element, int line) const {
  const std::string where = std::string(element) + "@rot";
  const std::optional<std::string_view> text = attribute(attributes, "rot");
  if (!text) refuse(line, where, sjis::kImportMissing);
  const std::string_view rot = trimmed(*text);
  if (rot == "cw") return 1;
  if (rot == "ccw") return -1;
  refuseValue(line, where, *text, sjis::kImportNotRotation);
}

double RoadBuilder::spiralRadius(std::span<const XmlAttribute> attributes, std::string_view name, int line) const {
  const std::optional<std::string_view> text = attribute(attributes, name);
  if (text && isInfiniteRadius(*text)) return std::numeric_limits<double>::infinity();
  return number(attributes, "Spiral", name, line, Bound::positive);
}

void RoadBuilder::checkMetric(std::span<const XmlAttribute> attributes, int line) const {
  const std::optional<std::string_view> unit = attribute(attributes, "linearUnit");
  if (unit && trimmed(*unit) != "meter")
    refuseValue(line, "Metric@linearUnit", *unit, sjis::kImportNotSupported);
}

void RoadBuilder::openLine(Role kind) {
  inLine_ = true;
  lineFailed_ = false;
  lineKind_ = kind;
  lineDepth_ = open_.size();
}

void RoadBuilder::fail(ImportRefused refused) {
  if (inLine_) {
    lineFailed_ = true;
    Alignment& a = alignment();
    if (lineKind_ == Role::profAlign) {
      a.profAligns.back().points.clear();
      a.profAligns.back().warnings.clear();
      a.profAligns.back().refusal = std::move(refused);
    } else {
      a.profSurfs.back().points.clear();
      a.profSurfs.back().refusal = std::move(refused);
    }
    return;
  }
  if (!inAlignment_) throw refused;
  alignmentFailed_ = true;
  // Nothing of a refused Alignment is kept but its name and line.
  Alignment& a = alignment();
  Alignment kept;
  kept.name = std::move(a.name);
  kept.line = a.line;
  kept.refusal = std::move(refused);
  a = std::move(kept);
}

void RoadBuilder::startElement(std::string_view name, std::span<const XmlAttribute> attributes, int line) {
  Role role = Role::other;
  if (!inFailedScope()) {
    try {
      role = startRole(name, attributes, line);
    } catch (ImportRefused& refused) {
      role = Role::other;
      fail(std::move(refused));
    }
  }
  open_.push_back({role, std::string(name), line});
  if (readsText(role)) text_.clear();
}

Role RoadBuilder::startRole(std::string_view name, std::span<const XmlAttribute> attributes, int line) {
  const Role parent = open_.empty() ? Role::none : open_.back().role;
  Role role = Role::other;
  switch (parent) {
    case Role::none:
      if (name != "LandXML")
        at(line).sjis(sjis::kImportRootElement).ascii(" ").quoted(name).ascii(" ").sjis(sjis::kImportNotLandXml).refuse();
      role = Role::root;
      break;
    case Role::root:
      if (name == "Units") role = Role::units;
      if (name == "Project") road_.projectName = attribute(attributes, "name").value_or("");
      if (name == "Alignments") role = Role::alignments;
      break;
    case Role::units:
      if (name == "Imperial") refuse(line, "Units/Imperial", sjis::kImportNotSupported);
      if (name == "Metric") checkMetric(attributes, line);
      break;
    case Role::alignments:
      if (name == "Alignment") {
        // The scope opens with the element, so that a refusal of its own
        // attributes is the Alignment's.
        road_.alignments.emplace_back();
        inAlignment_ = true;
        alignmentDepth_ = open_.size();
        alignmentFailed_ = false;
        beginAlignment(attributes, line);
        role = Role::alignment;
      }
      break;
    case Role::alignment:
      if (name == "CoordGeom") role = Role::coordGeom;
      if (name == "StaEquation") readEquation(attributes, line);
      if (name == "Profile") role = Role::profile;
      if (name == "Superelevation") {
        superelevation_ = PendingSuperelevation{};
        superelevation_.line = line;
        role = Role::superelevation;
      }
      if (name == "CrossSects") {
        if (crossSectsLine_ == 0) crossSectsLine_ = line;
        role = Role::crossSects;
      }
      if (name == "Feature" && attribute(attributes, "name") == "Interval") role = Role::intervalFeature;
      break;
    case Role::coordGeom:
      if (name == "Line" || name == "Curve" || name == "Spiral") {
        readGeometry(name, attributes, line);
        role = Role::geometry;
      }
      if (name == "IrregularLine" || name == "Chain")
        refuse(line, "CoordGeom/" + std::string(name), sjis::kImportNotSupported);
      break;
    case Role::geometry:
      if (name == "Start" || name == "End") {
        GeometryElement& element = alignment().elements.back();
        if (const std::optional<std::string_view> pointName = attribute(attributes, "name"))
          (name == "Start" ? element.startName : element.endName) = *pointName;
      }
      if (name == "Start" || name == "End" || name == "Center") role = Role::planPoint;
      break;
    case Role::profile:
      if (name == "ProfAlign") {
        // As for the Alignment: the line's own attributes are its own.
        alignment().profAligns.push_back({std::string(attribute(attributes, "name").value_or("")), line, {}, {}, {}});
        openLine(Role::profAlign);
        written_.clear();
        role = Role::profAlign;
      }
      if (name == "ProfSurf") {
        alignment().profSurfs.push_back({std::string(attribute(attributes, "name").value_or("")), line, {}, {}});
        openLine(Role::profSurf);
        role = Role::profSurf;
      }
      break;
    case Role::profAlign:
      if (name == "PVI" || name == "ParaCurve" || name == "CircCurve" || name == "UnsymParaCurve") {
        beginGradePoint(name, attributes, line);
        role = Role::gradePoint;
      }
      break;
    case Role::profSurf:
      if (name == "PntList2D") role = Role::groundList;
      break;
    case Role::superelevation:
      if (name == "BeginRunoffSta" || name == "FullSuperSta" || name == "RunoffSta" || name == "EndofRunoutSta" ||
          name == "FullSuperelev")
        role = Role::superelevationValue;
      break;
    case Role::crossSects:
      if (name == "CrossSect") {
        section_ = PendingSection{};
        section_.station = number(attributes, "CrossSect", "sta", line, Bound::any);
        role = Role::crossSect;
      }
      break;
    case Role::crossSect:
      if (name == "DesignCrossSectSurf") {
        const std::optional<std::string_view> side = attribute(attributes, "side");
        if (side && (trimmed(*side) == "left" || trimmed(*side) == "right")) {
          beginCrossSectSurf(attributes);
          role = Role::crossSectSurf;
        }
      }
      break;
    case Role::crossSectSurf:
      if (name == "CrossSectPnt") role = Role::crossSectPoint;
      break;
    case Role::intervalFeature:
      if (name == "Property" && attribute(attributes, "label") == "main" && !intervalSeen_) {
        intervalSeen_ = true;
        alignment().interval = number(attributes, name, "value", line, Bound::positive);
      }
      break;
    default:
      break;
  }
  return role;
}

void RoadBuilder::endElement(std::string_view) {
  if (open_.empty()) return;
  const OpenElement& element = open_.back();
  if (!inFailedScope()) {
    try {
      end(element);
    } catch (ImportRefused& refused) {
      fail(std::move(refused));
    }
  }
  const std::size_t depth = open_.size() - 1;
  if (inLine_ && depth == lineDepth_) inLine_ = lineFailed_ = false;
  if (inAlignment_ && depth == alignmentDepth_) inAlignment_ = alignmentFailed_ = false;
  open_.pop_back();
}

void RoadBuilder::end(const OpenElement& element) {
  switch (element.role) {
    case Role::geometry:
      endGeometry();
      break;
    case Role::planPoint:
      readPlanPoint(element);
      break;
    case Role::gradePoint:
      readGradePoint(element);
      break;
    case Role::profAlign:
      endProfAlign();
      break;
    case Role::groundList:
      readGround(element);
      break;
    case Role::superelevationValue:
      readSuperelevationValue(element);
      break;
    case Role::superelevation:
      endSuperelevation();
      break;
    case Role::crossSectPoint:
      readCrossSectPoint(element);
      break;
    case Role::crossSect:
      endCrossSect();
      break;
    case Role::alignment:
      endAlignment();
      break;
    default:
      break;
  }
}

void RoadBuilder::beginAlignment(std::span<const XmlAttribute> attributes, int line) {
  Alignment& a = alignment();
  a.name = attribute(attributes, "name").value_or("");
  a.line = line;
  nextStation_ = 0.0;
  intervalSeen_ = false;
  equations_.clear();
  superelevationLines_.clear();
  crossSectsLine_ = 0;
  sections_.clear();
  a.staStart = number(attributes, "Alignment", "staStart", line, Bound::any);
  a.length = number(attributes, "Alignment", "length", line, Bound::positive);
  if (!(std::fabs(a.staStart + a.length) <= kMaxMagnitude))
    at(line).ascii("Alignment ").sjis(sjis::kImportEndStation).sjis(sjis::kImportOutOfRange).refuse();
  nextStation_ = a.staStart;
}

void RoadBuilder::readGeometry(std::string_view name, std::span<const XmlAttribute> attributes, int line) {
  GeometryElement e;
  e.kind = name == "Line"    ? GeometryElement::Kind::line
           : name == "Curve" ? GeometryElement::Kind::curve
                             : GeometryElement::Kind::spiral;
  geometry_ = PendingGeometry{std::string(name), line, std::nullopt, std::nullopt};
  // Line@length, Curve@length and Curve@radius may be left to the points.
  if (e.kind == GeometryElement::Kind::spiral)
    geometry_.length = number(attributes, name, "length", line, Bound::positive);
  else if (attribute(attributes, "length"))
    geometry_.length = number(attributes, name, "length", line,
                              e.kind == GeometryElement::Kind::line ? Bound::nonNegative : Bound::positive);
  if (e.kind == GeometryElement::Kind::curve) {
    e.rotation = rotation(attributes, name, line);
    if (attribute(attributes, "radius")) geometry_.radius = number(attributes, name, "radius", line, Bound::positive);
  }
  if (e.kind == GeometryElement::Kind::spiral) {
    e.rotation = rotation(attributes, name, line);
    e.radiusStart = spiralRadius(attributes, "radiusStart", line);
    e.radiusEnd = spiralRadius(attributes, "radiusEnd", line);
    if (std::isinf(e.radiusStart) && std::isinf(e.radiusEnd))
      refuse(line, "Spiral", sjis::kImportBothRadiiInfinite);
  }
  alignment().elements.push_back(std::move(e));
}

// The written value where there is one (with a warning when the points
// give another), else the points' value.
double RoadBuilder::settled(std::optional<double> written, std::optional<double> fromPoints, std::string_view where,
                            int line, Bound bound) {
  if (written) {
    if (fromPoints && std::fabs(*written - *fromPoints) > kPointTolerance)
      alignment().warnings.push_back(at(line).ascii(where).ascii(" ").metres(*written, 4)
                                         .sjis(sjis::kImportFromPointsValue).metres(*fromPoints, 4)
                                         .sjis(sjis::kImportDiffersOverMm).warning());
    return *written;
  }
  if (!fromPoints) refuse(line, where, sjis::kImportNotFromPoints);
  if (!(std::fabs(*fromPoints) <= kMaxMagnitude)) refuse(line, where, sjis::kImportOutOfRange);
  if (bound == Bound::positive && !(*fromPoints > 0.0)) refuse(line, where, sjis::kImportNotFromPoints);
  return *fromPoints;
}

void RoadBuilder::endGeometry() {
  GeometryElement& e = alignment().elements.back();
  const PendingGeometry& g = geometry_;
  const std::string& name = g.name;
  if (e.kind == GeometryElement::Kind::line) {
    std::optional<double> fromPoints;
    if (e.startPoint && e.endPoint) fromPoints = lineLength(*e.startPoint, *e.endPoint);
    e.length = settled(g.length, fromPoints, name + "@length", g.line, Bound::nonNegative);
  } else if (e.kind == GeometryElement::Kind::curve) {
    std::optional<ArcFromPoints> arc;
    if (e.startPoint && e.centre && e.endPoint) arc = arcFromPoints(*e.startPoint, *e.centre, *e.endPoint, e.rotation);
    e.radius = settled(g.radius, arc ? std::optional(arc->radius) : std::nullopt, name + "@radius", g.line,
                       Bound::positive);
    e.length = settled(g.length, arc ? std::optional(arc->length) : std::nullopt, name + "@length", g.line,
                       Bound::positive);
  } else {
    e.length = *g.length;
  }
  e.start = nextStation_;
  e.end = e.start + e.length;
  if (!(std::fabs(e.end) <= kMaxMagnitude))
    at(g.line).ascii(name).ascii(" ").sjis(sjis::kImportEndStation).sjis(sjis::kImportOutOfRange).refuse();
  nextStation_ = e.end;
}

void RoadBuilder::readEquation(std::span<const XmlAttribute> attributes, int line) {
  if (const std::optional<std::string_view> increment = attribute(attributes, "staIncrement");
      increment && trimmed(*increment) == "decreasing")
    refuseValue(line, "StaEquation@staIncrement", *increment, sjis::kImportNotSupported);
  PendingEquation equation;
  equation.line = line;
  equation.internal = optionalNumber(attributes, "StaEquation", "staInternal", line);
  equation.back = optionalNumber(attributes, "StaEquation", "staBack", line);
  equation.ahead = number(attributes, "StaEquation", "staAhead", line, Bound::any);
  if (!equation.internal && !equation.back)
    refuse(line, "StaEquation@staInternal", sjis::kImportMissing);
  equations_.push_back(equation);
}

// A point that is not two numbers is left out: nothing the importer draws
// depends on it yet.
void RoadBuilder::readPlanPoint(const OpenElement& element) {
  const std::vector<std::string_view> parts = tokens(text_);
  PlanPoint point;
  if (parts.size() != 2 || readNumber(parts[0], point.northing) != NumberProblem::none ||
      readNumber(parts[1], point.easting) != NumberProblem::none)
    return;
  GeometryElement& e = alignment().elements.back();
  (element.name == "Start" ? e.startPoint : element.name == "End" ? e.endPoint : e.centre) = point;
}

void RoadBuilder::beginGradePoint(std::string_view name, std::span<const XmlAttribute> attributes, int line) {
  using Kind = WrittenGradePoint::Kind;
  WrittenGradePoint& p = gradePoint_;
  p = WrittenGradePoint{};
  p.element = name;
  p.line = line;
  if (name == "ParaCurve") {
    p.kind = Kind::paraCurve;
    p.length = number(attributes, name, "length", line, Bound::positive);
  }
  if (name == "CircCurve") {
    // The radius gives the circle; the length, when that is all there is,
    // is its length along the station, as a ParaCurve's. The radius's sign
    // says crest or sag, which the grades say too: it is not read.
    p.kind = Kind::circCurve;
    if (attribute(attributes, "radius")) {
      p.radius = std::fabs(number(attributes, name, "radius", line, Bound::any));
      if (!(p.radius > 0.0)) refuseValue(line, "CircCurve@radius", *attribute(attributes, "radius"), sjis::kImportNotPositive);
    }
    if (attribute(attributes, "length")) p.length = number(attributes, name, "length", line, Bound::positive);
    if (p.radius == 0.0 && p.length == 0.0) refuse(line, "CircCurve@radius", sjis::kImportMissing);
  }
  if (name == "UnsymParaCurve") {
    p.kind = Kind::unsymParaCurve;
    p.lengthIn = number(attributes, name, "lengthIn", line, Bound::positive);
    p.lengthOut = number(attributes, name, "lengthOut", line, Bound::positive);
  }
}

void RoadBuilder::readGradePoint(const OpenElement& element) {
  const std::vector<std::string_view> parts = tokens(text_);
  if (parts.size() != 2)
    refuseValue(element.line, element.name, trimmed(text_), sjis::kImportNotPairs);
  WrittenGradePoint& p = gradePoint_;
  p.stationText = parts[0];
  p.station = value(parts[0], element.name, element.line, Bound::any);
  p.height = value(parts[1], element.name, element.line, Bound::any);
  written_.push_back(std::move(p));
}

void RoadBuilder::endProfAlign() {
  ProfAlignLine& line = alignment().profAligns.back();
  line.points = gradeLineOf(written_, line.line, fileName_, line.warnings);
  written_.clear();
  written_.shrink_to_fit();
}

void RoadBuilder::readGround(const OpenElement& element) {
  const std::string where = "ProfSurf/" + element.name;
  std::vector<GroundPoint>& ground = alignment().profSurfs.back().points;
  Tokens parts(text_);
  for (std::string_view station, height; parts.next(station);) {
    if (!parts.next(height))
      refuseValue(element.line, where, trimmed(text_), sjis::kImportNotPairs);
    GroundPoint point;
    point.station = value(station, where, element.line, Bound::any);
    point.height = value(height, where, element.line, Bound::any);
    if (!ground.empty() && point.station < ground.back().station)
      refuseValue(element.line, where, station, sjis::kImportStationDecreases);
    ground.push_back(point);
  }
  text_.clear();
  text_.shrink_to_fit();
}

void RoadBuilder::readSuperelevationValue(const OpenElement& element) {
  const double v = value(text_, "Superelevation/" + element.name, element.line, Bound::any);
  PendingSuperelevation& s = superelevation_;
  if (element.name == "BeginRunoffSta") s.beginRunoff = v;
  if (element.name == "FullSuperSta") s.fullSuper = v;
  if (element.name == "RunoffSta") s.runoff = v;
  if (element.name == "EndofRunoutSta") s.endRunout = v;
  if (element.name == "FullSuperelev") s.fullSuperelev = v;
}

void RoadBuilder::endSuperelevation() {
  const PendingSuperelevation& s = superelevation_;
  const std::pair<const std::optional<double>*, const char*> required[] = {
      {&s.beginRunoff, "BeginRunoffSta"},
      {&s.fullSuper, "FullSuperSta"},
      {&s.runoff, "RunoffSta"},
      {&s.fullSuperelev, "FullSuperelev"},
  };
  for (const auto& [field, name] : required)
    if (!*field) refuse(s.line, std::string("Superelevation/") + name, sjis::kImportMissing);
  SuperelevationRun run;
  run.beginRunoff = *s.beginRunoff;
  run.fullSuper = *s.fullSuper;
  run.runoff = *s.runoff;
  run.endRunout = s.endRunout.value_or(*s.runoff);
  run.fullSuperelev = *s.fullSuperelev;
  if (!(run.beginRunoff <= run.fullSuper && run.fullSuper <= run.runoff && run.runoff <= run.endRunout))
    refuse(s.line, "Superelevation", sjis::kImportSuperelevationOrder);
  alignment().superelevation.push_back(run);
  superelevationLines_.push_back(s.line);
}

void RoadBuilder::beginCrossSectSurf(std::span<const XmlAttribute> attributes) {
  PendingSurface surface;
  surface.side = trimmed(*attribute(attributes, "side")) == "left" ? SuperelevationRun::Side::left
                                                                   : SuperelevationRun::Side::right;
  surface.carriageway = isCarriageway(attribute(attributes, "name").value_or(""), attribute(attributes, "desc").value_or(""));
  section_.surfaces.push_back(std::move(surface));
}

void RoadBuilder::readCrossSectPoint(const OpenElement& element) {
  section_.surfaces.back().points.push_back({text_, element.line});
}

// A section's crossfall on each side, from its carriageway surfaces there
// (all of them together, as lanes written apart), or from the side's only
// surface when none is named as the carriageway.
void RoadBuilder::endCrossSect() {
  SectionCrossfall crossfall;
  crossfall.station = section_.station;
  for (const SuperelevationRun::Side side : {SuperelevationRun::Side::left, SuperelevationRun::Side::right}) {
    std::vector<const PendingSurface*> used, all;
    for (const PendingSurface& surface : section_.surfaces) {
      if (surface.side != side) continue;
      all.push_back(&surface);
      if (surface.carriageway) used.push_back(&surface);
    }
    if (used.empty() && all.size() == 1) used = all;
    std::vector<SectionPoint> points;
    for (const PendingSurface* surface : used) {
      for (const PendingSurface::Point& point : surface->points) {
        const std::vector<std::string_view> parts = tokens(point.text);
        if (parts.size() != 2)
          refuseValue(point.line, "CrossSectPnt", trimmed(point.text), sjis::kImportNotPairs);
        points.push_back({value(parts[0], "CrossSectPnt", point.line, Bound::any),
                          value(parts[1], "CrossSectPnt", point.line, Bound::any)});
      }
    }
    (side == SuperelevationRun::Side::left ? crossfall.left : crossfall.right) = crossfallOf(points);
  }
  if (crossfall.left || crossfall.right) sections_.push_back(crossfall);
  section_ = PendingSection{};
}

// Without Superelevation elements the cross sections give the runs; with
// them, the elements count and a crossfall of the sections more than
// 0.1 % off is a warning.
void RoadBuilder::superelevationFromCrossSections() {
  Alignment& a = alignment();
  if (crossSectsLine_ == 0) return;
  const CrossfallProfile profile(std::move(sections_));
  if (a.superelevation.empty()) {
    if (profile.empty())
      a.warnings.push_back(at(crossSectsLine_).ascii("CrossSects ").sjis(sjis::kImportNoCrossfall).warning());
    else
      a.superelevation = profile.runs();
    return;
  }
  for (std::size_t i = 0; i < a.superelevation.size(); ++i) {
    const SuperelevationRun& run = a.superelevation[i];
    const std::optional<double> shown = profile.higherAt((run.fullSuper + run.runoff) / 2);
    if (shown && std::fabs(std::fabs(run.fullSuperelev) - *shown) > kSuperelevationTolerance + 1e-9)
      a.warnings.push_back(at(superelevationLines_[i]).sjis(sjis::kImportFullSuperelevOf).metres(run.fullSuperelev)
                               .sjis(sjis::kImportAgainstCrossSects).metres(*shown)
                               .sjis(sjis::kImportSuperelevationDiffers).warning());
  }
}

void RoadBuilder::endAlignment() {
  Alignment& a = alignment();
  const double end = a.staStart + a.length;
  for (const PendingEquation& pending : equations_) {
    const StationEquation* previous = a.equations.empty() ? nullptr : &a.equations.back();
    // The display station at an internal one, under the equations so far.
    const auto display = [previous](double s) { return previous ? s - previous->internal + previous->ahead : s; };
    const double internal = pending.internal ? *pending.internal
                            : previous       ? *pending.back - previous->ahead + previous->internal
                                             : *pending.back;
    if (previous && !(internal > previous->internal))
      refuse(pending.line, "StaEquation", sjis::kImportEquationOrder);
    if (!(internal >= a.staStart - kTouchTolerance && internal <= end + kTouchTolerance))
      refuse(pending.line, "StaEquation", sjis::kImportEquationOutside);
    double back = display(internal);
    if (pending.back) {
      if (!(std::fabs(*pending.back - back) <= kEquationTolerance))
        refuse(pending.line, "StaEquation", sjis::kImportEquationMismatch);
      back = *pending.back;
    }
    a.equations.push_back({internal, back, pending.ahead});
  }
  superelevationFromCrossSections();
  // The ends are BP and EP unless the file names them otherwise.
  if (!a.elements.empty()) {
    if (a.elements.front().startName.empty()) a.elements.front().startName = "BP";
    if (a.elements.back().endName.empty()) a.elements.back().endName = "EP";
  }
  // The lines imported unless others are chosen: the first of each kind.
  if (!a.profAligns.empty() && !a.profAligns.front().refusal) {
    a.grade = a.profAligns.front().points;
    a.gradeName = a.profAligns.front().name;
    a.gradeLine = a.profAligns.front().line;
  }
  if (!a.profSurfs.empty() && !a.profSurfs.front().refusal) a.ground = a.profSurfs.front().points;
  std::stable_sort(a.warnings.begin(), a.warnings.end(),
                   [](const ReaderWarning& x, const ReaderWarning& y) { return x.line < y.line; });
}

[[noreturn]] void refuseEncoding(const XmlEncodingError& error, std::string_view fileName) {
  RefusalMessage message(fileName, error.line);
  using Kind = XmlEncodingError::Kind;
  switch (error.kind) {
    case Kind::unsupported:
      message.sjis(sjis::kImportEncoding).ascii(" ").quoted(error.name).ascii(" ").sjis(sjis::kImportNotSupported);
      break;
    case Kind::bomConflict:
      message.sjis(sjis::kImportEncoding).ascii(" ").quoted(error.name).ascii(" ").sjis(sjis::kImportIs)
          .ascii(error.mark).sjis(sjis::kImportMarkConflict);
      break;
    case Kind::declarationUnread:
      message.sjis(sjis::kImportEncoding).ascii(" ").quoted(error.name).ascii(" ").sjis(sjis::kImportDeclarationUnread);
      break;
    case Kind::badDeclaration:
      message.sjis(sjis::kImportBadDeclaration);
      break;
    case Kind::invalidBytes:
      message.sjis(sjis::kImportEncoding).ascii(" ").quoted(error.name).ascii(" ").sjis(sjis::kImportInvalidBytes);
      break;
  }
  message.refuse();
}

[[noreturn]] void refuseXml(const XmlError& error, std::string_view fileName) {
  RefusalMessage message(fileName, error.line);
  using Kind = XmlError::Kind;
  switch (error.kind) {
    case Kind::syntax:
      message.sjis(sjis::kImportSyntax).ascii(error.detail);
      break;
    case Kind::doctype:
      message.sjis(sjis::kImportDoctype);
      break;
    case Kind::tooDeep:
      message.sjis(sjis::kImportTooDeep);
      break;
    case Kind::noRoot:
      message.sjis(sjis::kImportNoRoot);
      break;
    case Kind::unclosedRoot:
      message.sjis(sjis::kImportUnclosedRoot);
      break;
    case Kind::afterRoot:
      message.sjis(sjis::kImportAfterRoot);
      break;
    case Kind::notXml:
      message.sjis(sjis::kImportNotXml);
      break;
  }
  message.refuse();
}

std::string decoded(std::string_view bytes, std::string_view fileName) {
  try {
    return decodeXmlDocument(bytes);
  } catch (const XmlEncodingError& error) {
    refuseEncoding(error, fileName);
  } catch (const XmlError& error) {
    refuseXml(error, fileName);
  }
}

Road parsed(std::string_view document, std::string_view fileName) {
  Road road;
  RoadBuilder builder(road, fileName);
  try {
    parseXml(document, builder);
  } catch (const XmlError& error) {
    refuseXml(error, fileName);
  }
  return road;
}

}  // namespace

Road readLandXml(std::string_view bytes, std::string_view fileName) {
  if (bytes.size() > kMaxRoadFileBytes) RefusalMessage(fileName, 0).sjis(sjis::kImportFileTooLarge).refuse();
  return parsed(decoded(bytes, fileName), fileName);
}

Road readLandXmlFile(const std::filesystem::path& path, std::string_view fileName) {
  const auto cannotRead = [&] { RefusalMessage(fileName, 0).sjis(sjis::kImportCannotRead).refuse(); };
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || error) cannotRead();
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) cannotRead();
  if (size > kMaxRoadFileBytes) RefusalMessage(fileName, 0).sjis(sjis::kImportFileTooLarge).refuse();

  std::ifstream in(path, std::ios::binary);
  if (!in) cannotRead();
  // Read in pieces, never past the limit, in case the file grew since.
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size));
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  std::vector<char> piece(kPiece);
  while (in) {
    in.read(piece.data(), static_cast<std::streamsize>(kPiece));
    bytes.append(piece.data(), static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxRoadFileBytes) RefusalMessage(fileName, 0).sjis(sjis::kImportFileTooLarge).refuse();
  }
  if (in.bad()) cannotRead();
  const std::string document = decoded(bytes, fileName);
  std::string().swap(bytes);  // the file's bytes are not needed past here
  return parsed(document, fileName);
}

}  // namespace ps::landxml
