#include <cmath>
#include <limits>

#include "dxf/entity_writers.h"
#include "geometry/chainage.h"
#include "geometry/segment_clip.h"
#include "sheet/sheet.h"
#include "text/number_format.h"

namespace ps {

Sheet::Sheet(Drawing& d, const ProfileData& p, const BandTitles& titles, double piValue,
             const Continuation* continuationOfSet)
    : drawing(d), data(p), header(p.header), pi(piValue), continuation(continuationOfSet) {
  buildBandRowList(titles, rows);
  placement = {continuation != nullptr, header.stationInterval};
  for (int i = 1; i <= data.stations.count; ++i)
    stationChainage[i] = chainageOf(data.stations, placement, data.stations.number[i], data.stations.plus[i]);
  profile = verticalProfileOf(data, placement);
}

double Sheet::chainage(int number, double plus) const {
  return chainageOf(data.stations, placement, number, plus);
}

bool Sheet::partOnSheet(double a, double b, double& lo, double& hi) const {
  lo = a;
  hi = b;
  if (!cutsAtEdges()) return true;
  const double first = paperX(firstChainage()), last = paperX(lastChainage());
  if (lo < first) lo = first;
  if (hi > last) hi = last;
  return lo < hi || (a == b && first <= a && a <= last);
}

void Sheet::cutLine(Point a, Point b, LineKind kind, double yMin, double yMax) {
  constexpr double kEverywhere = std::numeric_limits<double>::infinity();
  ClipBox box{-kEverywhere, kEverywhere, yMin, yMax};
  if (cutsAtEdges()) box.xMin = paperX(firstChainage()), box.xMax = paperX(lastChainage());
  if (clipSegment(box, a.x, a.y, b.x, b.y)) penPolyline(drawing, {a, b}, kind);
}

void Sheet::setRowOrigin(int k) {
  setOrigin(drawing, BandOriginX + TitleColumnWidth + DataMarginX, BandOriginY + (k - 1) * pitch());
}

void Sheet::setProfileOrigin() { setOrigin(drawing, BandOriginX + TitleColumnWidth + DataMarginX, datumY()); }

int textHeight(double value) {
  if (std::isnan(value)) return 0;
  const double t = std::trunc(value);
  if (t >= 2147483647.0) return std::numeric_limits<int>::max();
  if (t <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(t);
}

std::string fixed(double value, int width, int decimals) { return formatFixed(value, width, decimals); }

double centredX(double m, std::string_view text) {
  return m - static_cast<double>(static_cast<long long>(text.size() / 2));
}

void drawBandFrameAndGround(Sheet& sheet) {
  drawBandCells(sheet);
  drawStationRows(sheet);
  drawProfileFrame(sheet);
}

void drawPlannedProfileAndDiagrams(Sheet& sheet) {
  drawHeightDistanceRows(sheet);
  drawPlannedProfile(sheet);
  drawGradeLineRow(sheet);
  drawCurvatureDiagram(sheet);
  drawSuperelevationDiagram(sheet);
  drawPointAnnotations(sheet);
  if (sheet.continuation) drawSheetIdentity(sheet);
}

}  // namespace ps
