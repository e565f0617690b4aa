// The horizontal curvature diagram: straights on the centre line, a step per
// curve, and the captions of each curve.
#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps {

void drawCurvatureDiagram(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const ProfileData& data = sheet.data;
  const StationTable& stations = data.stations;
  const CurveTable& curves = data.curves;

  selectLayer(d, "D-TTL-BAND");
  const int row = findBandRow(sheet.rows, sjis::kCurvatureDiagram, sheet.rows.count);
  if (row == 0) return;
  sheet.setRowOrigin(row);

  const HeaderValues& hv = sheet.header;
  const double yc = hv.bandRowHeight / 2;
  const double h = hv.curvatureTextHeight;
  const int height = textHeight(h);
  auto caption = [&](double m, double y, const std::string& text) {
    const double x = centredX(m, text);
    penLabel(d, x, y, x + 1, y, height, 0, text, hv.curvatureTextWidth);
  };

  Point p1{sheet.stationRowX(1), yc};
  for (int i = 1; i <= curves.count; ++i) {
    const double radius = curves.radius[i];
    const double xf = sheet.stationX(curves.fromNumber[i], curves.fromPlus[i]);
    const double xt = sheet.stationX(curves.toNumber[i], curves.toPlus[i]);
    const double yb = yc - radius / 1000 * hv.bandRowHeight;
    penPolyline(d, {p1, {xf, yc}, {xf, yb}, {xt, yb}, {xt, yc}});

    const double m = (xf + xt) / 2;
    caption(m, radius > 0 ? yb - h : yb + 0.5, "R=" + fixed(radius, 3, 1));
    const std::string column[6] = {"IP " + formatInt(i), "IA ", "R= " + fixed(radius >= 0 ? radius : -radius, 3, 1),
                                   "CL ", "TL ", "SL "};
    for (int k = 1; k <= 6; ++k) caption(m, radius < 0 ? yb - k * h : hv.bandRowHeight - k * h, column[k - 1]);
    caption((p1.x + xf) / 2, yc + 0.5, sjis::kStraightCaption);
    p1 = {xt, yc};
  }
  penPolyline(d, {p1, {sheet.stationRowX(stations.count), yc}});
}

}  // namespace ps
