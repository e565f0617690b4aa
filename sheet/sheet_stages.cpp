#include <cmath>
#include <limits>

#include "dxf/entity_writers.h"
#include "geometry/chainage.h"
#include "sheet/sheet.h"
#include "text/number_format.h"

namespace ps {

Sheet::Sheet(Drawing& d, const ProfileData& p, const BandTitles& titles, double piValue)
    : drawing(d), data(p), header(p.header), pi(piValue) {
  buildBandRowList(titles, rows);
  for (int i = 1; i <= data.stations.count; ++i)
    stationChainage[i] = chainageOf(data.stations, data.stations.number[i], data.stations.plus[i]);
  profile = verticalProfileOf(data);
}

double Sheet::chainage(int number, double plus) const { return chainageOf(data.stations, number, plus); }

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
}

}  // namespace ps
