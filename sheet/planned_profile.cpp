// The planned grade line in the profile view: VIP markers, grade lines, and
// per vertical curve its chords, dimension line, length and radius, and the
// offsets at the stations inside it.
#include <cmath>

#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "geometry/offset_points.h"
#include "sheet/sheet.h"

namespace ps {

void drawPlannedProfile(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  ProfileData& data = sheet.data;
  const VipTable& vips = data.vips;
  const StationTable& stations = data.stations;
  const double ox = BandOriginX + TitleColumnWidth + DataMarginX;
  const double oy = BandOriginY + sheet.rows.count * sheet.pitch() + ProfileGap;
  const int height = textHeight(sheet.hv(16));
  const double width = sheet.hv(23);
  auto X = [&](double chainage) { return chainage * 1000 / sheet.hv(3); };
  auto Y = [&](double h) { return (h - sheet.hv(7)) * 1000 / sheet.hv(4); };
  auto label = [&](double x, double y, double rotation, const std::string& text) {
    penLabel(d, x, y, x + 1, y, height, rotation, text, width);
  };

  selectLayer(d, "D-STR");
  for (int i = 1; i <= vips.count; ++i) {
    const double x = X(sheet.chainage(vips.number[i], vips.plus[i]));
    const double yv = Y(vips.height[i]);
    setOrigin(d, ox, oy);
    penPolyline(d, {{x, yv / 2}, {x, yv}});
    if (i >= 2) {
      const double xp = X(sheet.chainage(vips.number[i - 1], vips.plus[i - 1]));
      setOrigin(d, ox, oy);
      penPolyline(d, {{xp, Y(vips.height[i - 1])}, {x, yv}});
    }
  }

  selectLayer(d, "D-STR");
  for (int i = 2; i <= vips.count - 1; ++i) {
    const double length = vips.curveLength[i];
    const double cv = sheet.chainage(vips.number[i], vips.plus[i]);
    const double cb = cv - length / 2;
    const double ce = cv + length / 2;
    double zv = 0.0;
    plannedElevation(data, sheet.lists, cv, zv);
    if (ce == cb) continue;

    for (int m = 1; m <= 10; ++m) {
      const double s1 = cb + (length / 10) * (m - 1);
      const double s2 = cb + (length / 10) * m;
      double z1 = 0.0, z2 = 0.0;
      plannedElevation(data, sheet.lists, s1, z1);
      plannedElevation(data, sheet.lists, s2, z2);
      setOrigin(d, ox, oy);
      penPolyline(d, {{X(s1), Y(z1)}, {X(s2), Y(z2)}});
    }

    setOrigin(d, ox, oy);
    const double xb = X(cb), xe = X(ce);
    const double yd = Y(zv) / 2;
    // A fixed angle: tan of it agrees on every platform (see driver/run.cpp).
    const double w = std::tan(15 * sheet.pi / 180) * 2;
    drawArrowhead(d, xb, yd, xe, yd, -2, w, ox, oy);
    drawArrowhead(d, xe, yd, xb, yd, 2, w, ox, oy);
    penPolyline(d, {{xb, yd}, {xe, yd}});

    setOrigin(d, ox, oy);
    const double xm = (xb + xe) / 2 - 12;
    label(xm, yd + 1, 0, "VCL= " + fixed(length, 5, 3) + " m");
    label(xm, yd - 4, 0, "VCR= " + fixed(sheet.lists.radius[i], 5, 0) + " m");

    for (int j = 1; j <= stations.count; ++j) {
      const double cs = sheet.chainage(stations.number[j], stations.plus[j]);
      if (!(cb <= cs && cs <= ce)) continue;
      double z = 0.0;
      const double offset = plannedElevation(data, sheet.lists, cs, z);
      penPolyline(d, {{X(cs), Y(z)}, {X(cs), yd}});
      label(X(cs) - 1, (Y(z) + yd) / 2 - 2, 90, "y= " + fixed(offset, 5, 3) + " m");
    }
  }
}

}  // namespace ps
