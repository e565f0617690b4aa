// Point annotations: a leader above the planned grade line, the text and the
// station, both at 30 degrees.
#include <cmath>

#include "dxf/entity_writers.h"
#include "dxf/number_format.h"
#include "sheet/sheet.h"

namespace ps {

void drawPointAnnotations(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  ProfileData& data = sheet.data;
  const AnnotationTable& notes = data.annotations;

  setOrigin(d, BandOriginX + TitleColumnWidth + DataMarginX,
            BandOriginY + ProfileGap + sheet.rows.count * (sheet.hv(1) + sheet.hv(2)));
  const int height = textHeight(sheet.hv(18));
  // A fixed angle: sin and cos of it agree on every platform (see driver/run.cpp).
  const double angle = 30 * sheet.pi / 180;

  for (int i = 1; i <= notes.count; ++i) {
    const double ch = sheet.chainage(notes.number[i], notes.plus[i]);
    double z = 0.0;
    plannedElevation(data, sheet.lists, ch, z);
    const Point p1{ch * 1000 / sheet.hv(3), (z - sheet.hv(7) + 2) * 1000 / sheet.hv(4)};
    const Point p2{p1.x, p1.y + 20000 / sheet.hv(4)};
    const Point p3{p2.x + 50 * std::cos(angle), p2.y + 50 * std::sin(angle)};
    penPolyline(d, {p1, p2, p3});
    penLabel(d, p2.x, p2.y + 2, p2.x + 1, p2.y, height, 30, notes.text[i], sheet.hv(25));
    const std::string station = "NO." + formatInt(notes.number[i]) + "+" + fixed(notes.plus[i], 2, 1);
    penLabel(d, p2.x + 4, p2.y - sheet.hv(18), p2.x + 6, p2.y, height, 30, station, sheet.hv(25));
  }
}

}  // namespace ps
