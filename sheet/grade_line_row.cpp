// The grade-line row: a circle and height per VIP, and per segment the
// stepped grade symbol with its grade and length.
#include <cmath>

#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"
#include "text/shift_jis.h"

namespace ps {

void drawGradeLineRow(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const VipTable& vips = sheet.data.vips;
  const int height = textHeight(sheet.header.gradeTextHeight);
  const double width = sheet.header.gradeTextWidth;
  const double r = sheet.header.bandRowHeight / 2;
  const double s = sheet.header.stationInterval;
  auto label = [&](double x, double y, double rotation, const std::string& text) {
    penLabel(d, x, y, x + 1, y, height, rotation, text, width);
  };

  const auto& grade = sheet.profile.grade;

  selectLayer(d, "D-STR");
  const int k = findBandRow(sheet.rows, sjis::kGradeLine, sheet.rows.count);
  auto X = [&](int i) { return sheet.paperX(sheet.profile.chainage[i]); };

  // A sheet of a set marks only the VIPs on it, and draws a grade symbol over
  // the part of its segment on the sheet: from the edge where its VIP lies
  // beyond it.
  const bool cut = sheet.cutsAtEdges();
  auto onSheet = [&](int i) { return !cut || sheet.onSheet(sheet.profile.chainage[i]); };

  sheet.setRowOrigin(k);
  for (int i = 1; i <= vips.count; ++i) {
    if (!onSheet(i)) continue;
    drawCircle(d, X(i), r, r, d.origin.x, d.origin.y);
    label(X(i), r - 6, 90, fixed(vips.height[i], 5, 3));
  }

  for (int i = 1; i <= vips.count - 1; ++i) {
    if (cut && !(sheet.profile.chainage[i] < sheet.lastChainage() &&
                 sheet.profile.chainage[i + 1] > sheet.firstChainage()))
      continue;
    const double x1 = onSheet(i) ? X(i) + r : sheet.paperX(sheet.firstChainage());
    const double x6 = onSheet(i + 1) ? X(i + 1) - r : sheet.paperX(sheet.lastChainage());
    const double t = (x6 - x1) / 3;
    const double x2 = x1 + t, x3 = x2;
    const double x4 = x1 + 2 * t, x5 = x4;
    const bool falling = grade[i] < 0;
    const double y3 = falling ? r + 4 : r - 4;
    const double y4 = falling ? r - 4 : r + 4;
    penPolyline(d, {{x1, r}, {x2, r}, {x3, y3}, {x4, y4}, {x5, r}, {x6, r}});

    const double xt = (x2 + x5) / 2 - 10;
    label(xt, r + 5, 0, "i= " + fixed(std::fabs(grade[i]) * 100, 5, 3) + " %");
    const double length = (vips.number[i + 1] * s + vips.plus[i + 1]) - (vips.number[i] * s + vips.plus[i]);
    label(xt, r - 5, 0, "L= " + fixed(length, 5, 3) + " m");
  }
}

}  // namespace ps
