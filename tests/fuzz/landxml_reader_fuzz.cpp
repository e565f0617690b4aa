// Fuzz target: the road file reader on any bytes, through the encoding, the
// XML parser and the LandXML reader, then the Alignment choice. A read
// either refuses the file with one console line that names it, or gives a
// road that keeps the model's promises.
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "fuzz_check.h"
#include "landxml/alignment_selection.h"
#include "landxml/landxml_reader.h"
#include "landxml/partial_profile.h"

namespace {

constexpr char kFileName[] = "road.xml";

bool bounded(double value) { return std::isfinite(value) && std::fabs(value) <= 1e9; }

// A grade line as a sheet draws it: stations ascending, no curve at the
// ends, neighbouring curves at most touching (by rounding).
void checkGradeLine(const std::vector<ps::landxml::GradePoint>& grade) {
  for (std::size_t i = 0; i < grade.size(); ++i) {
    const ps::landxml::GradePoint& p = grade[i];
    FUZZ_CHECK(bounded(p.station) && bounded(p.height) && bounded(p.curveLength) && p.curveLength >= 0.0);
    if (i == 0) continue;
    const ps::landxml::GradePoint& q = grade[i - 1];
    FUZZ_CHECK(p.station > q.station);
    FUZZ_CHECK(q.station + q.curveLength / 2 <= p.station - p.curveLength / 2 + 1e-6);
  }
  FUZZ_CHECK(grade.empty() || (grade.size() >= 2 && grade.front().curveLength == 0.0 &&
                               grade.back().curveLength == 0.0));
}

void checkGround(const std::vector<ps::landxml::GroundPoint>& ground) {
  for (std::size_t i = 0; i < ground.size(); ++i) {
    FUZZ_CHECK(bounded(ground[i].station) && bounded(ground[i].height));
    FUZZ_CHECK(i == 0 || ground[i].station >= ground[i - 1].station);
  }
}

void checkAlignment(const ps::landxml::Alignment& a) {
  FUZZ_CHECK(bounded(a.staStart) && bounded(a.length) && a.length > 0.0 && bounded(a.staStart + a.length));
  FUZZ_CHECK(bounded(a.interval) && a.interval > 0.0);
  double station = a.staStart;
  for (const ps::landxml::GeometryElement& e : a.elements) {
    FUZZ_CHECK(e.start == station && bounded(e.end) && bounded(e.length) && e.length >= 0.0);
    FUZZ_CHECK(e.rotation >= -1 && e.rotation <= 1);
    FUZZ_CHECK(bounded(e.radius) && e.radius >= 0.0);
    FUZZ_CHECK(!std::isnan(e.radiusStart) && !std::isnan(e.radiusEnd) && e.radiusStart > 0.0 && e.radiusEnd > 0.0);
    station = e.end;
  }
  for (std::size_t i = 0; i < a.equations.size(); ++i) {
    const ps::landxml::StationEquation& q = a.equations[i];
    FUZZ_CHECK(bounded(q.internal) && bounded(q.back) && bounded(q.ahead));
    FUZZ_CHECK(i == 0 || q.internal > a.equations[i - 1].internal);
  }
  checkGradeLine(a.grade);
  checkGround(a.ground);
  for (const ps::landxml::SuperelevationRun& s : a.superelevation) {
    FUZZ_CHECK(bounded(s.beginRunoff) && bounded(s.fullSuper) && bounded(s.runoff) && bounded(s.endRunout) &&
               bounded(s.fullSuperelev));
    FUZZ_CHECK(s.beginRunoff <= s.fullSuper && s.fullSuper <= s.runoff && s.runoff <= s.endRunout);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  ps::landxml::Road road;
  try {
    road = ps::landxml::readLandXml(ps::fuzz::asText(bytes, size), kFileName);
  } catch (const ps::landxml::ImportRefused& refused) {
    FUZZ_CHECK(ps::fuzz::isImportRefusalOf(refused.message, kFileName));
    return 0;
  }
  for (const ps::landxml::Alignment& a : road.alignments) {
    if (a.refusal) {
      FUZZ_CHECK(ps::fuzz::isImportRefusalOf(a.refusal->message, kFileName) && a.elements.empty() && a.profAligns.empty());
      continue;
    }
    checkAlignment(a);
    for (const ps::landxml::ProfAlignLine& p : a.profAligns) {
      if (p.refusal)
        FUZZ_CHECK(ps::fuzz::isImportRefusalOf(p.refusal->message, kFileName) && p.points.empty());
      else
        checkGradeLine(p.points);
    }
    for (const ps::landxml::ProfSurfLine& p : a.profSurfs) {
      if (p.refusal)
        FUZZ_CHECK(ps::fuzz::isImportRefusalOf(p.refusal->message, kFileName) && p.points.empty());
      else
        checkGround(p.points);
    }
  }
  try {
    const ps::landxml::Alignment chosen = ps::landxml::selectAlignment(road, {}, kFileName);
    FUZZ_CHECK(!chosen.refusal && !chosen.grade.empty());
    checkAlignment(chosen);
    // The stretch the grade line covers, and the Alignment trimmed to it.
    const ps::landxml::ProfileCover cover = ps::landxml::profileCover(chosen);
    FUZZ_CHECK(cover.alignmentBegin <= cover.begin && cover.end <= cover.alignmentEnd);
    if (cover.end > cover.begin) {
      ps::landxml::Alignment trimmed = chosen;
      ps::landxml::trimAlignment(trimmed, cover.begin, cover.end);
      checkAlignment(trimmed);
    }
  } catch (const ps::landxml::ImportRefused& refused) {
    FUZZ_CHECK(ps::fuzz::isImportRefusalOf(refused.message, kFileName));
  }
  return 0;
}
