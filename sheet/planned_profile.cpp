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

  // A sheet of a set draws the grade line over its own stretch only: no
  // marker at a VIP beyond its edges, the grade lines and vertical curves
  // cut at them.
  const bool cut = sheet.cutsAtEdges();
  const double first = cut ? sheet.firstChainage() : 0.0;
  const double last = cut ? sheet.lastChainage() : 0.0;

  selectLayer(d, "D-STR");
  sheet.setProfileOrigin();
  for (int i = 1; i <= vips.count; ++i) {
    const double x = X(profile.chainage[i]);
    const double yv = Y(vips.height[i]);
    if (!cut || sheet.onSheet(profile.chainage[i])) penPolyline(d, {{x, yv / 2}, {x, yv}});
    if (i < 2) continue;
    if (!cut) {
      penPolyline(d, {{X(profile.chainage[i - 1]), Y(vips.height[i - 1])}, {x, yv}});
      continue;
    }
    // The grade from VIP i - 1 over the part of its segment on the sheet.
    const double c1 = profile.chainage[i - 1], c2 = profile.chainage[i];
    const double from = c1 > first ? c1 : first;
    const double to = c2 < last ? c2 : last;
    if (!(from < to)) continue;
    const double g = profile.grade[i - 1];
    const double h1 = from == c1 ? vips.height[i - 1] : vips.height[i - 1] + g * (from - c1);
    const double h2 = to == c2 ? vips.height[i] : vips.height[i - 1] + g * (to - c1);
    penPolyline(d, {{X(from), Y(h1)}, {X(to), Y(h2)}});
  }

  selectLayer(d, "D-STR");
  for (int i = 2; i <= vips.count - 1; ++i) {
    const double length = vips.curveLength[i];
    const double cv = profile.chainage[i];
    const double cb = cv - length / 2;
    const double ce = cv + length / 2;
    const double zv = sheet.planned(cv).elevation;
    if (ce == cb) continue;

    // The part of the curve that is drawn: all of it, or on a sheet of a set
    // its part between the edges.
    double pb = cb, pe = ce, step = length / 10;
    if (cut) {
      if (pb < first) pb = first;
      if (pe > last) pe = last;
      if (!(pb < pe)) continue;
      if (pb != cb || pe != ce) step = (pe - pb) / 10;
    }
    for (int m = 1; m <= 10; ++m) {
      const double s1 = pb + step * (m - 1);
      const double s2 = pb + step * m;
      penPolyline(d, {{X(s1), Y(sheet.planned(s1).elevation)}, {X(s2), Y(sheet.planned(s2).elevation)}});
    }

    const double xb = X(pb), xe = X(pe);
    // Halfway up to the curve at its VIP; for a curve the sheet cuts, at the
    // middle of its part on the sheet, as its VIP may lie far beyond the
    // edge and the line there below the datum.
    const double yd = pb != cb || pe != ce ? Y(sheet.planned((pb + pe) / 2).elevation) / 2 : Y(zv) / 2;
    // tan at a fixed angle only: its value is the same on every platform.
    const double w = std::tan(15 * sheet.pi / 180) * 2;
    // An arrowhead marks a curve end; a cut end has none.
    if (pe == ce) drawArrowhead(d, xb, yd, xe, yd, -2, w);
    if (pb == cb) drawArrowhead(d, xe, yd, xb, yd, 2, w);
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
