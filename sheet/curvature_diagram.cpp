// The horizontal curvature diagram: straights on the centre line, a step per
// curve, and the captions of each curve.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps {

namespace {

// A caption of the row centred on m at height y.
void caption(Sheet& sheet, double m, double y, const std::string& text) {
  const double x = centredX(m, text);
  penLabel(sheet.drawing, x, y, x + 1, y, textHeight(sheet.header.curvatureTextHeight), 0, text,
           sheet.header.curvatureTextWidth);
}

// A sheet of a set: steps of a depth that keeps every radius inside the
// row, the captions of the road's curve facts, and everything cut at the
// sheet's edges.
void drawCurvatureOfSet(Sheet& sheet);

}  // namespace

void drawCurvatureDiagram(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const ProfileData& data = sheet.data;
  const StationTable& stations = data.stations;
  const CurveTable& curves = data.curves;

  selectLayer(d, "D-TTL-BAND");
  const int row = findBandRow(sheet.rows, sjis::kCurvatureDiagram, sheet.rows.count);
  if (row == 0) return;
  sheet.setRowOrigin(row);

  if (sheet.continuation) {
    drawCurvatureOfSet(sheet);
    return;
  }
  const HeaderValues& hv = sheet.header;
  const double yc = hv.bandRowHeight / 2;
  const double h = hv.curvatureTextHeight;

  Point p1{sheet.stationRowX(1), yc};
  for (int i = 1; i <= curves.count; ++i) {
    const double radius = curves.radius[i];
    const double xf = sheet.stationX(curves.fromNumber[i], curves.fromPlus[i]);
    const double xt = sheet.stationX(curves.toNumber[i], curves.toPlus[i]);
    const double yb = yc - radius / 1000 * hv.bandRowHeight;
    penPolyline(d, {p1, {xf, yc}, {xf, yb}, {xt, yb}, {xt, yc}});

    const double m = (xf + xt) / 2;
    caption(sheet, m, radius > 0 ? yb - h : yb + 0.5, "R=" + fixed(radius, 3, 1));
    const std::string column[6] = {"IP " + formatInt(i), "IA ", "R= " + fixed(radius >= 0 ? radius : -radius, 3, 1),
                                   "CL ", "TL ", "SL "};
    for (int k = 1; k <= 6; ++k)
      caption(sheet, m, radius < 0 ? yb - k * h : hv.bandRowHeight - k * h, column[k - 1]);
    caption(sheet, (p1.x + xf) / 2, yc + 0.5, sjis::kStraightCaption);
    p1 = {xt, yc};
  }
  penPolyline(d, {p1, {sheet.stationRowX(stations.count), yc}});
}

std::string degreesMinutesSeconds(double degrees) {
  // Whole tenths of a second, rounded half away from zero: 59.95" carries
  // into the next minute.
  const std::string text = formatFixed(degrees * 36000, 1, 0);
  long long tenths = 0;
  std::from_chars(text.data(), text.data() + text.size(), tenths);
  const bool negative = tenths < 0;
  if (negative) tenths = -tenths;
  const long long seconds = tenths / 10 % 60, minutes = tenths / 600 % 60;
  // Appended piece by piece: GCC 12 warns (-Wrestrict, wrongly) on a chain
  // of string sums at -O3.
  std::string out = negative ? "-" : "";
  auto twoDigits = [&out](long long v) {
    if (v < 10) out += '0';
    out += formatInt(v);
  };
  out += formatInt(tenths / 36000);
  out += sjis::kDegreeSign;
  twoDigits(minutes);
  out += '\'';
  twoDigits(seconds);
  out += '.';
  out += formatInt(tenths % 10);
  out += '"';
  return out;
}

namespace {

void drawCurvatureOfSet(Sheet& sheet) {
  const CurveTable& curves = sheet.data.curves;
  const Continuation& c = *sheet.continuation;
  const HeaderValues& hv = sheet.header;
  const double rowHeight = hv.bandRowHeight;
  const double yc = rowHeight / 2;
  const double h = hv.curvatureTextHeight;
  auto line = [&](Point a, Point b) { sheet.cutLine(a, b, LineKind::continuous, 0, rowHeight); };
  // Centred on the part of the stretch from a to b on the sheet; a stretch
  // that is not on the sheet gets no caption, and `length` asks for a part
  // of some length.
  auto captionOver = [&](double a, double b, bool length, double y, const std::string& text) {
    double lo, hi;
    if (sheet.partOnSheet(std::min(a, b), std::max(a, b), lo, hi) && (!length || lo < hi))
      caption(sheet, (lo + hi) / 2, y, text);
  };

  Point p1{sheet.stationRowX(1), yc};
  for (int i = 1; i <= curves.count; ++i) {
    const double radius = curves.radius[i];
    const double xf = sheet.stationX(curves.fromNumber[i], curves.fromPlus[i]);
    const double xt = sheet.stationX(curves.toNumber[i], curves.toPlus[i]);
    // The step's depth follows the curvature: 0.4 of the row height up to a
    // radius of 400 m, less in proportion to 1/R beyond.
    double depth = 0.0;
    if (radius != 0) depth = 0.4 * rowHeight * std::min(1.0, 400 / std::fabs(radius));
    const double yb = radius > 0 ? yc - depth : yc + depth;
    line(p1, {xf, yc});
    line({xf, yc}, {xf, yb});
    line({xf, yb}, {xt, yb});
    line({xt, yb}, {xt, yc});

    captionOver(xf, xt, false, radius > 0 ? yb - h : yb + 0.5, "R=" + fixed(radius, 3, 1));
    const std::optional<CurveFacts>& facts = c.curves[i];
    auto value = [&](const char* name, double v) {
      return facts ? std::string(name) + "= " + fixed(v, 5, 3) : std::string(name) + " ";
    };
    const std::string column[6] = {
        "IP " + formatInt(facts ? facts->ip : i),
        facts ? "IA= " + degreesMinutesSeconds(facts->intersectionAngle) : std::string("IA "),
        "R= " + fixed(radius >= 0 ? radius : -radius, 3, 1),
        value("CL", facts ? facts->curveLength : 0),
        value("TL", facts ? facts->tangentLength : 0),
        value("SL", facts ? facts->secantLength : 0)};
    for (int k = 1; k <= 6; ++k)
      captionOver(xf, xt, false, radius < 0 ? yb - k * h : rowHeight - k * h, column[k - 1]);
    captionOver(p1.x, xf, true, yc + 0.5, sjis::kStraightCaption);
    p1 = {xt, yc};
  }
  const double xLast = sheet.stationRowX(sheet.data.stations.count);
  line(p1, {xLast, yc});
  captionOver(p1.x, xLast, true, yc + 0.5, sjis::kStraightCaption);
}

}  // namespace

}  // namespace ps
