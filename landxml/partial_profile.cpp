#include "landxml/partial_profile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ps::landxml {

namespace {

constexpr double kTouch = 0.001;

double curvature(double radius) { return std::isinf(radius) ? 0.0 : 1.0 / radius; }
double radiusOf(double curvature) {
  return curvature == 0.0 ? std::numeric_limits<double>::infinity() : 1.0 / curvature;
}

// The radius of a spiral at station s: its curvature runs straight from
// start to end.
double spiralRadiusAt(const GeometryElement& e, double s) {
  if (!(e.length > 0.0)) return e.radiusStart;
  const double k0 = curvature(e.radiusStart), k1 = curvature(e.radiusEnd);
  return radiusOf(k0 + (k1 - k0) * (s - e.start) / e.length);
}

}  // namespace

ProfileCover profileCover(const Alignment& a) {
  ProfileCover cover;
  cover.alignmentBegin = a.elements.empty() ? a.staStart : a.elements.front().start;
  cover.alignmentEnd = a.elements.empty() ? a.staStart + a.length : a.elements.back().end;
  cover.begin = cover.alignmentBegin;
  cover.end = cover.alignmentEnd;
  if (a.grade.empty()) return cover;
  if (a.grade.front().station > cover.alignmentBegin + kTouch) cover.begin = a.grade.front().station;
  if (a.grade.back().station < cover.alignmentEnd - kTouch) cover.end = a.grade.back().station;
  return cover;
}

void trimAlignment(Alignment& a, double begin, double end) {
  const ProfileCover whole = profileCover(a);
  std::vector<GeometryElement> kept;
  for (GeometryElement& e : a.elements) {
    if (e.end <= begin || e.start >= end) continue;
    if (e.start < begin) {
      if (e.kind == GeometryElement::Kind::spiral) e.radiusStart = spiralRadiusAt(e, begin);
      e.startName.clear();
      e.startPoint.reset();
    }
    if (e.end > end) {
      if (e.kind == GeometryElement::Kind::spiral) e.radiusEnd = spiralRadiusAt(e, end);
      e.endName.clear();
      e.endPoint.reset();
    }
    e.start = std::max(e.start, begin);
    e.end = std::min(e.end, end);
    e.length = e.end - e.start;
    kept.push_back(std::move(e));
  }
  a.elements = std::move(kept);
  a.cutAtStart = a.cutAtStart || begin > whole.alignmentBegin;
  a.cutAtEnd = a.cutAtEnd || end < whole.alignmentEnd;
  a.staStart = begin;
  a.length = end - begin;
  std::erase_if(a.superelevation,
                [&](const SuperelevationRun& run) { return run.endRunout < begin || run.beginRunoff > end; });
}

}  // namespace ps::landxml
