// Fuzz target: the road file reader on any bytes, through the encoding, the
// XML parser and the LandXML reader, then the Alignment choice. A read
// either refuses the file with one console line that names it, or gives a
// road that keeps the model's promises.
#include <cmath>
#include <cstdint>
#include <optional>

#include "fuzz_check.h"
#include "landxml/alignment_selection.h"
#include "landxml/landxml_reader.h"

namespace {

constexpr char kFileName[] = "road.xml";

bool bounded(double value) { return std::isfinite(value) && std::fabs(value) <= 1e9; }

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
  for (std::size_t i = 0; i < a.grade.size(); ++i) {
    const ps::landxml::GradePoint& p = a.grade[i];
    FUZZ_CHECK(bounded(p.station) && bounded(p.height) && bounded(p.curveLength) && p.curveLength >= 0.0);
    FUZZ_CHECK(i == 0 || p.station > a.grade[i - 1].station);
  }
  FUZZ_CHECK(a.grade.empty() || (a.grade.size() >= 2 && a.grade.front().curveLength == 0.0 &&
                                 a.grade.back().curveLength == 0.0));
  for (std::size_t i = 0; i < a.ground.size(); ++i) {
    FUZZ_CHECK(bounded(a.ground[i].station) && bounded(a.ground[i].height));
    FUZZ_CHECK(i == 0 || a.ground[i].station >= a.ground[i - 1].station);
  }
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
    FUZZ_CHECK(ps::fuzz::isRefusalOf(refused.message, kFileName));
    return 0;
  }
  for (const ps::landxml::Alignment& a : road.alignments) checkAlignment(a);
  try {
    const ps::landxml::Alignment& chosen = ps::landxml::selectAlignment(road, std::nullopt, kFileName);
    FUZZ_CHECK(road.alignments.size() == 1 && &chosen == &road.alignments[0] && !chosen.grade.empty());
  } catch (const ps::landxml::ImportRefused& refused) {
    FUZZ_CHECK(ps::fuzz::isRefusalOf(refused.message, kFileName));
  }
  return 0;
}
