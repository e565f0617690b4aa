// The superelevation diagram: crossfall of the right side (PHANTOM) and the
// left side (HIDDEN) against the chainage, with run-off ramps.
#include <optional>
#include <string>

#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"
#include "text/shift_jis.h"

namespace ps {

void drawSuperelevationDiagram(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const ProfileData& data = sheet.data;
  const StationTable& stations = data.stations;
  const SuperelevationTable& supers = data.superelevations;

  const int row = findBandRow(sheet.rows, sjis::kSuperelevationDiagram, sheet.rows.count);
  if (row == 0) return;
  sheet.setRowOrigin(row);

  const double y0 = sheet.header.bandRowHeight / 2;
  auto level = [&](double percent) { return y0 + (percent / 8) * y0; };
  const double yn = level(-sheet.header.normalCrossfall);
  const double ym = level(+sheet.header.normalCrossfall);
  const double runOff = sheet.header.runOffLength * 1000 / sheet.header.horizontalScale;
  const double xFirst = sheet.stationRowX(1);
  const double xLast = sheet.stationRowX(stations.count);
  const int height = textHeight(sheet.header.valueTextHeight);
  auto label = [&](double x1, double y1, double x2, double y2, std::string_view text) {
    penLabel(d, x1, y1, x2, y2, height, 0, text, sheet.header.valueTextWidth);
  };
  auto caption = [&](double m, double y, const std::string& text) {
    const double x = centredX(m, text);
    label(x, y, x + 1, y, text);
  };

  penPolyline(d, {{xFirst, y0}, {xLast, y0}});
  // The legend's sample lines; on a sheet of a set at a quarter and three
  // quarters of the row, so that they stay inside it.
  const Continuation* const c = sheet.continuation;
  const double yRight = c ? sheet.header.bandRowHeight / 4 : 5;
  const double yLeft = c ? sheet.header.bandRowHeight * 3 / 4 : 17;
  penPolyline(d, {{-15, yRight}, {0, yRight}}, LineKind::phantom);
  label(2, yRight - 2, 6, yRight - 2, sjis::kRightSide);
  penPolyline(d, {{-15, yLeft}, {0, yLeft}}, LineKind::hidden);
  label(2, yLeft - 2, 6, yLeft - 2, sjis::kLeftSide);

  auto xa = [&](int i) { return sheet.stationX(supers.startNumber[i], supers.startPlus[i]); };
  auto xb = [&](int i) { return sheet.stationX(supers.endNumber[i], supers.endPlus[i]); };
  if (c) {
    // A sheet of a set: each row's own run-off and run-out, its raised side
    // where the continuation gives it, every transition built from its true
    // positions and cut at the sheet's edges and to the row.
    auto paperLength = [&](double metres) { return metres * 1000 / sheet.header.horizontalScale; };
    auto runOffOf = [&](int i) { return c->transitions[i] ? paperLength(c->transitions[i]->runOff) : runOff; };
    auto runOutOf = [&](int i) { return c->transitions[i] ? paperLength(c->transitions[i]->runOut) : runOff; };
    // Rows whose ramps overlap are joined at their full superelevation.
    auto joined = [&](int before, int after) { return xa(after) - runOffOf(after) < xb(before) + runOutOf(before); };
    const double rowHeight = sheet.header.bandRowHeight;
    auto captionOver = [&](double a, double b, double y, const std::string& text) {
      double lo, hi;
      if (sheet.partOnSheet(a < b ? a : b, a < b ? b : a, lo, hi) && lo < hi) caption((lo + hi) / 2, y, text);
    };
    const std::string normal = "i=" + fixed(-sheet.header.normalCrossfall, 3, 1) + "%";
    for (int side = 0; side < 2; ++side) {
      const bool right = side == 0;
      const LineKind kind = right ? LineKind::phantom : LineKind::hidden;
      auto full = [&](int i) {
        const std::optional<RaisedSide> raised = c->transitions[i] ? c->transitions[i]->raised : std::nullopt;
        const bool rightUp = raised ? *raised == RaisedSide::right : data.curves.radius[i] > 0;
        const double direction = (rightUp == right) ? +1 : -1;
        return level(direction * supers.superelevation[i]);
      };
      auto line = [&](Point a, Point b) { sheet.cutLine(a, b, kind, 0, rowHeight); };

      Point p1{xFirst, yn};
      for (int i = 1; i <= supers.count; ++i) {
        Point p3{xa(i), full(i)};
        Point p2{xa(i) - runOffOf(i), p1.y};
        const Point p4{xb(i), full(i)};
        Point p5{xb(i) + runOutOf(i), yn};
        if (i > 1 && joined(i - 1, i)) {
          p2 = p1;
          p3 = p1;
        }
        if (y0 > p3.y) {
          p2.x = p2.x + (yn - ym) * (p2.x - p3.x) / (ym - p3.y);
          p5.x = p4.x + (yn - p4.y) * (p4.x - p5.x) / (p4.y - ym);
        }
        if (i < supers.count && joined(i, i + 1)) p5 = {xa(i + 1), full(i + 1)};
        line(p1, p2);
        line(p2, p3);
        line(p3, p4);
        line(p4, p5);
        if (right) {
          captionOver(p3.x, p4.x, p3.y + 0.5, "i=" + fixed(supers.superelevation[i], 3, 1) + "%");
          captionOver(p1.x, p2.x, p1.y + 0.5, normal);
        }
        p1 = p5;
      }
      line(p1, {xLast, p1.y});
      if (right) captionOver(p1.x, xLast, p1.y + 0.5, normal);
    }
    return;
  }
  auto close = [&](int before, int after) { return xa(after) - xb(before) < 2 * runOff; };

  for (int side = 0; side < 2; ++side) {
    const bool right = side == 0;
    const LineKind kind = right ? LineKind::phantom : LineKind::hidden;
    // Full superelevation of row i on this side: the curve's sign picks it.
    auto full = [&](int i) {
      const bool positive = data.curves.radius[i] > 0;
      const double direction = (positive == right) ? +1 : -1;
      return level(direction * supers.superelevation[i]);
    };

    Point p1{xFirst, yn};
    for (int i = 1; i <= supers.count; ++i) {
      Point p3{xa(i), full(i)};
      Point p2{xa(i) - runOff, p1.y};
      const Point p4{xb(i), full(i)};
      Point p5{xb(i) + runOff, yn};
      if (i > 1 && close(i - 1, i)) {
        p2 = p1;
        p3 = p1;
      }
      if (y0 > p3.y) {
        // Falling side: hold the normal crossfall until the other side has
        // reached its mirrored level.
        p2.x = p2.x + (yn - ym) * (p2.x - p3.x) / (ym - p3.y);
        p5.x = p4.x + (yn - p4.y) * (p4.x - p5.x) / (p4.y - ym);
      }
      if (i < supers.count && close(i, i + 1)) p5 = {xa(i + 1), full(i + 1)};
      penPolyline(d, {p1, p2, p3, p4, p5}, kind);

      if (right) {
        caption((p3.x + p4.x) / 2, p3.y + 0.5, "i=" + fixed(supers.superelevation[i], 3, 1) + "%");
        caption((p1.x + p2.x) / 2, p1.y + 0.5, "i=" + fixed(-sheet.header.normalCrossfall, 3, 1) + "%");
      }
      p1 = p5;
    }
    penPolyline(d, {p1, {xLast, p1.y}}, kind);
  }
}

}  // namespace ps
