// The profile view's frame: datum line, elevation axis with its levels,
// scale symbol and texts, the ground line and the elevation grid under it.
#include <array>

#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"

namespace ps {

int elevationLevelCount(const HeaderValues& header, int limit) {
  // The same comparison as the drawing loop below; level 1 is always drawn.
  int levels = 1;
  while (levels <= limit) {
    const int q = levels + 1;
    if (q * header.elevationInterval * 1000 / header.verticalScale > header.profileViewHeight) break;
    levels = q;
  }
  return levels;
}

void drawProfileFrame(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const HeaderValues& h = sheet.header;
  const double p = sheet.pitch();
  const double yd = sheet.datumY();
  const double e = h.elevationInterval * 1000 / h.verticalScale;
  const int height = textHeight(h.scaleTextHeight);
  const double width = h.scaleTextWidth;

  selectLayer(d, "D-STR");
  setOrigin(d, BandOriginX, yd);
  penPolyline(d, {{0, 0}, {TitleColumnWidth + h.bandDataLength, 0}});
  setOrigin(d, BandOriginX + TitleColumnWidth, yd);
  penPolyline(d, {{0, 0}, {0, h.profileViewHeight}});

  // Scale symbol: a right triangle with both scales beside its legs.
  setOrigin(d, BandOriginX, yd);
  const double a = h.bandRowHeight / 2;
  const double b = a + h.bandRowGap;
  const double s = p * 1.2;
  penPolyline(d, {{a, b}, {s, b}, {s, b + s}, {a, b}});
  penLabel(d, a + 3, b - 4.5, a + 4, b - 4.5, height, 0, "1:" + fixed(h.horizontalScale, 5, 0), width);
  penLabel(d, s + 4.5, b + 4.5, s + 4.5, b + 5.5, height, 90, "1:" + fixed(h.verticalScale, 5, 0), width);
  penLabel(d, 7.5, 0.5, 8.5, 0.5, height, 0, "DL= " + fixed(h.datumLevel, 5, 3) + " m", width);

  auto minorTicks = [&] {
    for (int k = 1; k <= 5; ++k)
      penPolyline(d, {{4.5 * TitleColumnWidth / 5, e / 5 * k}, {TitleColumnWidth, e / 5 * k}});
  };
  minorTicks();
  for (int q = 1;;) {
    setOrigin(d, BandOriginX, yd + q * h.elevationInterval * 1000 / h.verticalScale);
    penPolyline(d, {{0.7 * TitleColumnWidth, 0}, {TitleColumnWidth, 0}});
    penLabel(d, 0.7 * TitleColumnWidth, 0.5, 0.7 * TitleColumnWidth + 1, 0.5, height, 0,
             fixed(q * h.elevationInterval + h.datumLevel, 5, 3), width);
    ++q;
    if (q * h.elevationInterval * 1000 / h.verticalScale > h.profileViewHeight) break;
    minorTicks();
  }

  // Ground line with a drop line from the datum line to every point.
  selectLayer(d, "D-BGD");
  const GroundPointTable& ground = sheet.data.groundPoints;
  // Each ground point's paper position, computed once: the grid below visits
  // every point 40 times.
  std::array<double, kTableSlots> gx{}, gy{};
  for (int i = 1; i <= ground.count; ++i) {
    gx[i] = sheet.stationX(ground.number[i], ground.plus[i]);
    gy[i] = sheet.profileY(ground.height[i]);
  }
  sheet.setProfileOrigin();
  // A sheet of a set draws its own part of the ground: a drop line at its
  // points, the ground line and the grid cut at its edges.
  const bool cut = sheet.cutsAtEdges();
  auto line = [&](Point a, Point b, LineKind kind) {
    if (cut)
      sheet.cutLine(a, b, kind);
    else
      penPolyline(d, {a, b}, kind);
  };
  for (int i = 1; i <= ground.count; ++i) {
    if (!cut || sheet.onSheet(sheet.chainage(ground.number[i], ground.plus[i])))
      penPolyline(d, {{gx[i], 0}, {gx[i], gy[i]}});
    if (i >= 2) line({gx[i - 1], gy[i - 1]}, {gx[i], gy[i]}, LineKind::continuous);
  }

  // Elevation grid: each level, where it lies under the ground line. The
  // level's elevation is formed first and the datum taken off again, so that
  // a ground point exactly on a level compares equal to it.
  for (int q = 1; q <= 20; ++q) {
    const double level = ((q * h.elevationInterval + h.datumLevel) - h.datumLevel) * 1000 / h.verticalScale;
    for (int i = 1; i <= ground.count - 1; ++i) {
      const double xa = gx[i], ya = gy[i];
      const double xb = gx[i + 1], yb = gy[i + 1];
      if ((ya > level && yb < level) || (ya < level && yb > level)) {
        const double xc = (level - ya) * (xa - xb) / (ya - yb) + xa;
        if (ya > yb)
          line({xa, level}, {xc, level}, LineKind::hidden);
        else
          line({xc, level}, {xb, level}, LineKind::hidden);
      } else if (ya >= level && yb >= level) {
        line({xa, level}, {xb, level}, LineKind::hidden);
      }
    }
  }
}

}  // namespace ps
