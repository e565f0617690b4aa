// Point annotations: a leader above the planned grade line, the text and the
// station, both at 30 degrees.
#include <cmath>

#include "dxf/entity_writers.h"
#include "sheet/sheet.h"
#include "text/number_format.h"

namespace ps {

void drawPointAnnotations(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const HeaderValues& h = sheet.header;
  const AnnotationTable& notes = sheet.data.annotations;

  // The profile view's origin, its sum formed in this order.
  setOrigin(d, BandOriginX + TitleColumnWidth + DataMarginX,
            BandOriginY + ProfileGap + sheet.rows.count * (h.bandRowHeight + h.bandRowGap));
  const int height = textHeight(h.annotationTextHeight);
  // cos and sin at a fixed angle only: their values are the same on every
  // platform.
  const double angle = 30 * sheet.pi / 180;

  for (int i = 1; i <= notes.count; ++i) {
    const double ch = sheet.chainage(notes.number[i], notes.plus[i]);
    // A sheet of a set annotates only its own stretch.
    if (sheet.cutsAtEdges() && !sheet.onSheet(ch)) continue;
    const double z = sheet.planned(ch).elevation;
    const Point p1{sheet.paperX(ch), (z - h.datumLevel + 2) * 1000 / h.verticalScale};
    const Point p2{p1.x, p1.y + 20000 / h.verticalScale};
    const Point p3{p2.x + 50 * std::cos(angle), p2.y + 50 * std::sin(angle)};
    penPolyline(d, {p1, p2, p3});
    penLabel(d, p2.x, p2.y + 2, p2.x + 1, p2.y, height, 30, notes.text[i], h.annotationTextWidth);
    const std::string station = "NO." + formatInt(notes.number[i]) + "+" + fixed(notes.plus[i], 2, 1);
    penLabel(d, p2.x + 4, p2.y - h.annotationTextHeight, p2.x + 6, p2.y, height, 30, station,
             h.annotationTextWidth);
  }
}

}  // namespace ps
