// The planned grade line in the profile view: VIP markers, grade lines, and
// per vertical curve its chords, dimension line, length and radius, and the
// offsets at the stations inside it.
#include <cmath>

#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "geometry/offset_points.h"
#include "sheet/sheet.h"

namespace ps {

void drawArrowhead(Drawing& drawing, double x1, double y1, double x2, double y2, double length,
                   double halfWidth) {
  double qx, qy;
  pointOnLine(x2, y2, x1, y1, length, qx, qy);
  double r1x, r1y, r2x, r2y;
  offsetPoint(qx, qy, x2, y2, halfWidth, r1x, r1y);
  offsetPoint(qx, qy, x2, y2, -halfWidth, r2x, r2y);
  penPolyline(drawing, {{x2, y2}, {r1x, r1y}});
  penPolyline(drawing, {{x2, y2}, {r2x, r2y}});
}

void drawPlannedProfile(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const VipTable& vips = sheet.data.vips;
  const StationTable& stations = sheet.data.stations;
  const VerticalProfile& profile = sheet.profile;
  const int height = textHeight(sheet.header.gradeTextHeight);
  const double width = sheet.header.gradeTextWidth;
  auto X = [&](double chainage) { return sheet.paperX(chainage); };
  auto Y = [&](double h) { return sheet.profileY(h); };
  auto label = [&](double x, double y, double rotation, const std::string& text) {
    penLabel(d, x, y, x + 1, y, height, rotation, text, width);
  };

  selectLayer(d, "D-STR");
  sheet.setProfileOrigin();
  for (int i = 1; i <= vips.count; ++i) {
    const double x = X(profile.chainage[i]);
    const double yv = Y(vips.height[i]);
    penPolyline(d, {{x, yv / 2}, {x, yv}});
    if (i >= 2) penPolyline(d, {{X(profile.chainage[i - 1]), Y(vips.height[i - 1])}, {x, yv}});
  }

  selectLayer(d, "D-STR");
  for (int i = 2; i <= vips.count - 1; ++i) {
    const double length = vips.curveLength[i];
    const double cv = profile.chainage[i];
    const double cb = cv - length / 2;
    const double ce = cv + length / 2;
    const double zv = sheet.planned(cv).elevation;
    if (ce == cb) continue;

    for (int m = 1; m <= 10; ++m) {
      const double s1 = cb + (length / 10) * (m - 1);
      const double s2 = cb + (length / 10) * m;
      penPolyline(d, {{X(s1), Y(sheet.planned(s1).elevation)}, {X(s2), Y(sheet.planned(s2).elevation)}});
    }

    const double xb = X(cb), xe = X(ce);
    const double yd = Y(zv) / 2;
    // tan at a fixed angle only: its value is the same on every platform.
    const double w = std::tan(15 * sheet.pi / 180) * 2;
    drawArrowhead(d, xb, yd, xe, yd, -2, w);
    drawArrowhead(d, xe, yd, xb, yd, 2, w);
    penPolyline(d, {{xb, yd}, {xe, yd}});

    const double xm = (xb + xe) / 2 - 12;
    label(xm, yd + 1, 0, "VCL= " + fixed(length, 5, 3) + " m");
    label(xm, yd - 4, 0, "VCR= " + fixed(profile.radius[i], 5, 0) + " m");

    for (int j = 1; j <= stations.count; ++j) {
      const double cs = sheet.stationChainage[j];
      if (!(cb <= cs && cs <= ce)) continue;
      const PlannedPoint at = sheet.planned(cs);
      penPolyline(d, {{X(cs), Y(at.elevation)}, {X(cs), yd}});
      label(X(cs) - 1, (Y(at.elevation) + yd) / 2 - 2, 90, "y= " + fixed(at.offset, 5, 3) + " m");
    }
  }
}

}  // namespace ps
