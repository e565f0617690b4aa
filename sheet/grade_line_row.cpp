// The grade-line row: a circle and height per VIP, and per segment the
// stepped grade symbol with its grade and length.
#include <cmath>

#include "dxf/entity_writers.h"
#include "dxf/shift_jis.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"

namespace ps {

void drawGradeLineRow(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const VipTable& vips = sheet.data.vips;
  const int height = textHeight(sheet.hv(16));
  const double width = sheet.hv(23);
  const double r = sheet.hv(1) / 2;
  const double s = sheet.hv(9);
  auto label = [&](double x, double y, double rotation, const std::string& text) {
    penLabel(d, x, y, x + 1, y, height, rotation, text, width);
  };

  // Grades afresh from the VIP table, whether or not the planned line was
  // evaluated before this row.
  computeGrades(sheet.data, sheet.lists);
  const auto& grade = sheet.lists.grade;

  selectLayer(d, "D-STR");
  const int k = findBandRow(sheet.rows, sjis::kGradeLine, sheet.rows.count);
  auto X = [&](int i) { return sheet.stationX(vips.number[i], vips.plus[i]); };

  for (int i = 1; i <= vips.count; ++i) {
    sheet.setRowOrigin(k);
    drawCircle(d, X(i), r, r, d.origin.x, d.origin.y);
    label(X(i), r - 6, 90, fixed(vips.height[i], 5, 3));
  }

  for (int i = 1; i <= vips.count - 1; ++i) {
    sheet.setRowOrigin(k);
    const double x1 = X(i) + r;
    const double x6 = X(i + 1) - r;
    const double t = (x6 - x1) / 3;
    const double x2 = x1 + t, x3 = x2;
    const double x4 = x1 + 2 * t, x5 = x4;
    const bool falling = grade[i] < 0;
    const double y3 = falling ? r + 4 : r - 4;
    const double y4 = falling ? r - 4 : r + 4;
    penPolyline(d, {{x1, r}, {x2, r}, {x3, y3}, {x4, y4}, {x5, r}, {x6, r}});

    sheet.setRowOrigin(k);
    const double xt = (x2 + x5) / 2 - 10;
    label(xt, r + 5, 0, "i= " + fixed(std::fabs(grade[i]) * 100, 5, 3) + " %");
    sheet.setRowOrigin(k);
    const double length = (vips.number[i + 1] * s + vips.plus[i + 1]) - (vips.number[i] * s + vips.plus[i]);
    label(xt, r - 5, 0, "L= " + fixed(length, 5, 3) + " m");
  }
}

}  // namespace ps
