// The profile view's frame: datum line, elevation axis with its levels,
// scale symbol and texts, the ground line and the elevation grid under it.
#include <array>

#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"

namespace ps {

int elevationLevelCount(const ProfileData& data, int limit) {
  // The same comparison as the drawing loop below; level 1 is always drawn.
  int levels = 1;
  while (levels <= limit) {
    const int q = levels + 1;
    if (q * data.header[8] * 1000 / data.header[4] > data.header[6]) break;
    levels = q;
  }
  return levels;
}

void drawProfileFrame(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const int n = sheet.rows.count;
  const double p = sheet.pitch();
  const double yd = BandOriginY + n * p + ProfileGap;
  const double e = sheet.hv(8) * 1000 / sheet.hv(4);
  const int height = textHeight(sheet.hv(17));
  const double width = sheet.hv(24);

  selectLayer(d, "D-STR");
  setOrigin(d, BandOriginX, yd);
  penPolyline(d, {{0, 0}, {TitleColumnWidth + sheet.hv(5), 0}});
  setOrigin(d, BandOriginX + TitleColumnWidth, yd);
  penPolyline(d, {{0, 0}, {0, sheet.hv(6)}});

  // Scale symbol: a right triangle with both scales beside its legs.
  setOrigin(d, BandOriginX, yd);
  const double a = sheet.hv(1) / 2;
  const double b = a + sheet.hv(2);
  const double s = p * 1.2;
  penPolyline(d, {{a, b}, {s, b}, {s, b + s}, {a, b}});
  setOrigin(d, BandOriginX, yd);
  penLabel(d, a + 3, b - 4.5, a + 4, b - 4.5, height, 0, "1:" + fixed(sheet.hv(3), 5, 0), width);
  setOrigin(d, BandOriginX, yd);
  penLabel(d, s + 4.5, b + 4.5, s + 4.5, b + 5.5, height, 90, "1:" + fixed(sheet.hv(4), 5, 0), width);
  setOrigin(d, BandOriginX, yd);
  penLabel(d, 7.5, 0.5, 8.5, 0.5, height, 0, "DL= " + fixed(sheet.hv(7), 5, 3) + " m", width);

  auto minorTicks = [&] {
    for (int k = 1; k <= 5; ++k)
      penPolyline(d, {{4.5 * TitleColumnWidth / 5, e / 5 * k}, {TitleColumnWidth, e / 5 * k}});
  };
  minorTicks();
  for (int q = 1;;) {
    setOrigin(d, BandOriginX, yd + q * sheet.hv(8) * 1000 / sheet.hv(4));
    penPolyline(d, {{0.7 * TitleColumnWidth, 0}, {TitleColumnWidth, 0}});
    penLabel(d, 0.7 * TitleColumnWidth, 0.5, 0.7 * TitleColumnWidth + 1, 0.5, height, 0,
             fixed(q * sheet.hv(8) + sheet.hv(7), 5, 3), width);
    ++q;
    if (q * sheet.hv(8) * 1000 / sheet.hv(4) > sheet.hv(6)) break;
    minorTicks();
  }

  // Ground line with a drop line from the datum line to every point.
  selectLayer(d, "D-BGD");
  const GroundPointTable& ground = sheet.data.groundPoints;
  const double ox = BandOriginX + TitleColumnWidth + DataMarginX;
  // Each ground point's paper position, computed once: the grid below visits
  // every point 40 times.
  std::array<double, kTableSlots> gx{}, gy{};
  for (int i = 1; i <= ground.count; ++i) {
    gx[i] = sheet.stationX(ground.number[i], ground.plus[i]);
    gy[i] = (ground.height[i] - sheet.hv(7)) * 1000 / sheet.hv(4);
  }
  for (int i = 1; i <= ground.count; ++i) {
    setOrigin(d, ox, yd);
    d.scratch.x[1] = gx[i];
    d.scratch.y[1] = 0;
    d.scratch.x[2] = gx[i];
    d.scratch.y[2] = gy[i];
    drawPolyline(d, d.scratch.x.data(), d.scratch.y.data(), 2, d.pen.layerName, d.pen.thickness, d.pen.colour,
                 d.origin.x, d.origin.y);
    if (i >= 2) {
      setOrigin(d, ox, yd);
      penPolyline(d, {{gx[i - 1], gy[i - 1]}, {gx[i], gy[i]}});
    }
  }

  // Elevation grid: each level, where it lies under the ground line.
  setOrigin(d, ox, yd);
  for (int q = 1; q <= 20; ++q) {
    const double level = ((q * sheet.hv(8) + sheet.hv(7)) - sheet.hv(7)) * 1000 / sheet.hv(4);
    for (int i = 1; i <= ground.count - 1; ++i) {
      const double xa = gx[i], ya = gy[i];
      const double xb = gx[i + 1], yb = gy[i + 1];
      if ((ya > level && yb < level) || (ya < level && yb > level)) {
        const double xc = (level - ya) * (xa - xb) / (ya - yb) + xa;
        if (ya > yb)
          penPolyline(d, {{xa, level}, {xc, level}}, LineKind::hidden);
        else
          penPolyline(d, {{xc, level}, {xb, level}}, LineKind::hidden);
      } else if (ya >= level && yb >= level) {
        penPolyline(d, {{xa, level}, {xb, level}}, LineKind::hidden);
      }
    }
  }
}

}  // namespace ps
