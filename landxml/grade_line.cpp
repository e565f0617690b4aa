#include "landxml/grade_line.h"

#include <algorithm>
#include <cmath>

#include "landxml/curve_conversion.h"
#include "text/shift_jis.h"

namespace ps::landxml {

namespace {

using Kind = WrittenGradePoint::Kind;

constexpr double kMaxMagnitude = 1e9;
// How far neighbouring vertical curves may overlap by rounding.
constexpr double kTouchTolerance = 1e-6;
// How far a CircCurve's length may lie from the circle's.
constexpr double kLengthTolerance = 0.001;

bool alike(const WrittenGradePoint& a, const WrittenGradePoint& b) {
  return std::fabs(a.height - b.height) <= kSameGradeStation && a.kind == b.kind && a.length == b.length &&
         a.radius == b.radius && a.lengthIn == b.lengthIn && a.lengthOut == b.lengthOut;
}

bool bounded(const GradePoint& p) {
  return std::fabs(p.station) <= kMaxMagnitude && std::fabs(p.height) <= kMaxMagnitude &&
         p.curveLength <= kMaxMagnitude;
}

class GradeLineBuilder {
 public:
  GradeLineBuilder(std::string_view fileName, std::vector<ReaderWarning>& warnings)
      : fileName_(fileName), warnings_(warnings) {}

  std::vector<GradePoint> build(const std::vector<WrittenGradePoint>& written, int profAlignLine) {
    const std::vector<const WrittenGradePoint*> points = merged(written);
    if (!points.empty() && points.front()->kind != Kind::pvi) refuse(*points.front(), sjis::kImportCurveAtEnd);
    if (points.size() < 2) at(profAlignLine).ascii("ProfAlign ").sjis(sjis::kImportTooFewPoints).refuse();
    if (points.back()->kind != Kind::pvi) refuse(*points.back(), sjis::kImportCurveAtEnd);
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (i == 0 || i + 1 == points.size()) {
        add({points[i]->station, points[i]->height, 0.0}, *points[i]);
        continue;
      }
      convert(*points[i - 1], *points[i], *points[i + 1]);
    }
    return std::move(line_);
  }

 private:
  RefusalMessage at(int line) const { return RefusalMessage(fileName_, line); }
  [[noreturn]] void refuse(const WrittenGradePoint& p, const char* text) const {
    at(p.line).ascii(p.element).ascii(" ").sjis(text).refuse();
  }

  // The points with repeated ones merged, stations checked.
  std::vector<const WrittenGradePoint*> merged(const std::vector<WrittenGradePoint>& written) {
    std::vector<const WrittenGradePoint*> kept;
    for (const WrittenGradePoint& p : written) {
      if (!kept.empty()) {
        const WrittenGradePoint& q = *kept.back();
        if (std::fabs(p.station - q.station) <= kSameGradeStation) {
          if (!alike(p, q))
            at(p.line).ascii(p.element).ascii(" ").sjis(sjis::kImportIs).ascii(" ").integer(q.line)
                .sjis(sjis::kImportSameStationDiffers).refuse();
          warnings_.push_back(at(p.line).ascii(p.element).ascii(" ").sjis(sjis::kImportIs).ascii(" ")
                                  .integer(q.line).sjis(sjis::kImportSameAsLine).warning());
          continue;
        }
        if (!(p.station > q.station))
          at(p.line).ascii(p.element).ascii(" ").sjis(sjis::kImportValueOf).ascii(" ").quoted(p.stationText)
              .ascii(" ").sjis(sjis::kImportStationNotIncreasing).refuse();
      }
      kept.push_back(&p);
    }
    return kept;
  }

  void convert(const WrittenGradePoint& before, const WrittenGradePoint& p, const WrittenGradePoint& after) {
    const double in = (p.height - before.height) / (p.station - before.station);
    const double out = (after.height - p.height) / (after.station - p.station);
    switch (p.kind) {
      case Kind::pvi:
        add({p.station, p.height, 0.0}, p);
        return;
      case Kind::paraCurve:
        add({p.station, p.height, p.length}, p);
        return;
      case Kind::unsymParaCurve:
        for (const GradePoint& piece : unsymmetricAsParabolas(p.station, p.height, in, out, p.lengthIn, p.lengthOut))
          add(piece, p);
        return;
      case Kind::circCurve:
        convertCircle(before, p, after, in, out);
        return;
    }
  }

  void convertCircle(const WrittenGradePoint& before, const WrittenGradePoint& p, const WrittenGradePoint& after,
                     double in, double out) {
    const double radius = p.radius > 0.0 ? p.radius : circleRadiusForLength(in, out, p.length);
    const VerticalCircle circle = verticalCircle(p.station, p.height, in, out, radius);
    // A circle past a neighbouring PVI cannot be drawn (nor, when it is
    // that large, measured).
    if (!(std::isfinite(circle.begin) && std::isfinite(circle.end) && circle.begin >= before.station &&
          circle.end <= after.station))
      refuse(p, sjis::kImportCurvesOverlap);
    if (p.radius > 0.0 && p.length > 0.0 && circle.end > circle.begin) {
      const double horizontal = circle.end - circle.begin;
      if (std::min(std::fabs(p.length - horizontal), std::fabs(p.length - circle.arcLength)) > kLengthTolerance)
        warnings_.push_back(at(p.line).ascii(p.element).ascii("@length ").metres(p.length)
                                .sjis(sjis::kImportFromRadiusValue).metres(horizontal)
                                .sjis(sjis::kImportDiffersUseRadius).warning());
    }
    const CircleParabolas parabolas = circleAsParabolas(circle);
    if (!parabolas.followed) refuse(p, sjis::kImportCircleNotFollowed);
    for (const GradePoint& piece : parabolas.points) add(piece, p);
  }

  // Appends a point of the converted line, checked against the one before.
  void add(const GradePoint& point, const WrittenGradePoint& from) {
    if (!bounded(point)) at(from.line).ascii(from.element).ascii(" ").sjis(sjis::kImportOutOfRange).refuse();
    if (!line_.empty()) {
      const GradePoint& previous = line_.back();
      if (!(point.station > previous.station) ||
          previous.station + previous.curveLength / 2 > point.station - point.curveLength / 2 + kTouchTolerance)
        refuse(from, sjis::kImportCurvesOverlap);
    }
    line_.push_back(point);
  }

  std::string fileName_;
  std::vector<ReaderWarning>& warnings_;
  std::vector<GradePoint> line_;
};

}  // namespace

std::vector<GradePoint> gradeLineOf(const std::vector<WrittenGradePoint>& written, int profAlignLine,
                                    std::string_view fileName, std::vector<ReaderWarning>& warnings) {
  return GradeLineBuilder(fileName, warnings).build(written, profAlignLine);
}

}  // namespace ps::landxml
