#include "dxf/entity_writers.h"

#include <array>

namespace ps {

namespace {

// A LINE entity. A solid line carries three decimals; a dashed one (a
// line type name given) whole millimetres, with its line type and a line
// type scale of 10 on the entity.
void writeLineEntity(DxfStream& out, std::string_view lineType, std::string_view layer, double thickness,
                     int colour, double x1, double y1, double x2, double y2) {
  const int decimals = lineType.empty() ? 3 : 0;
  out.text("LINE");
  out.code(8);
  out.text(layer);
  out.code(62);
  out.code(colour);
  out.code(39);
  out.real(thickness, 5, decimals);
  if (!lineType.empty()) {
    out.code(48);
    out.real(10.0, 5, 0);
    out.code(6);
    out.text(lineType);
  }
  out.code(10);
  out.real(x1, 5, decimals);
  out.code(20);
  out.real(y1, 5, decimals);
  out.code(30);
  out.code(0);
  out.code(11);
  out.real(x2, 5, decimals);
  out.code(21);
  out.real(y2, 5, decimals);
  out.code(31);
  out.code(0);
  out.code(0);
}

}  // namespace

void writeLine(DxfStream& out, std::string_view layer, double thickness, int colour, double x1, double y1,
               double x2, double y2) {
  writeLineEntity(out, {}, layer, thickness, colour, x1, y1, x2, y2);
}

void writeHiddenLine(DxfStream& out, std::string_view layer, double thickness, int colour, double x1,
                     double y1, double x2, double y2) {
  writeLineEntity(out, "HIDDEN", layer, thickness, colour, x1, y1, x2, y2);
}

void writePhantomLine(DxfStream& out, std::string_view layer, double thickness, int colour, double x1,
                      double y1, double x2, double y2) {
  writeLineEntity(out, "PHANTOM", layer, thickness, colour, x1, y1, x2, y2);
}

void writeAlignedText(DxfStream& out, std::string_view layer, double thickness, int colour, int height,
                      std::string_view text, double widthFactor, double rotation, std::string_view style,
                      double x1, double y1, double x2, double y2) {
  out.text("TEXT");
  out.code(8);
  out.text(layer);
  out.code(39);
  out.real(thickness, 5, 1);
  out.code(62);
  out.code(colour);
  out.code(10);
  out.real(x1, 5, 1);
  out.code(20);
  out.real(y1, 5, 1);
  out.code(30);
  out.code(0);
  out.code(11);
  out.real(x2, 5, 1);
  out.code(21);
  out.real(y2, 5, 1);
  out.code(31);
  out.code(0);
  out.code(40);
  out.code(height);
  out.code(41);
  out.real(widthFactor, 5, 1);
  out.code(50);
  out.real(rotation, 5, 1);
  out.code(1);
  out.text(text);
  out.code(7);
  out.text(style);
  out.code(72);
  out.code(0);
  out.code(0);
}

void writeCircle(Drawing& drawing, double centreX, double centreY, double radius, double thickness,
                 double originX, double originY) {
  DxfStream& out = drawing.out;
  out.text("CIRCLE");
  out.code(8);
  out.text(drawing.pen.layerName);
  out.code(39);
  out.real(thickness, 5, 3);
  out.code(10);
  out.real(centreX + originX, 5, 1);
  out.code(20);
  out.real(centreY + originY, 5, 1);
  out.code(30);
  out.code(0);
  out.code(40);
  out.real(radius, 5, 1);
  out.code(0);
}

void setOrigin(Drawing& drawing, double x, double y) {
  drawing.origin.x = x;
  drawing.origin.y = y;
}

namespace {

using LineWriter = void (*)(DxfStream&, std::string_view, double, int, double, double, double, double);

void polyline(LineWriter writer, Drawing& drawing, const double* X, const double* Y, int n,
              std::string_view layer, double thickness, int colour, double originX, double originY) {
  for (int i = 1; i <= n - 1; ++i)
    writer(drawing.out, layer, thickness, colour, X[i] + originX, Y[i] + originY, X[i + 1] + originX,
           Y[i + 1] + originY);
}

}  // namespace

void drawPolyline(Drawing& drawing, const double* X, const double* Y, int n, std::string_view layer,
                  double thickness, int colour, double originX, double originY) {
  polyline(writeLine, drawing, X, Y, n, layer, thickness, colour, originX, originY);
}

void drawHiddenPolyline(Drawing& drawing, const double* X, const double* Y, int n, std::string_view layer,
                        double thickness, int colour, double originX, double originY) {
  polyline(writeHiddenLine, drawing, X, Y, n, layer, thickness, colour, originX, originY);
}

void drawPhantomPolyline(Drawing& drawing, const double* X, const double* Y, int n, std::string_view layer,
                         double thickness, int colour, double originX, double originY) {
  polyline(writePhantomLine, drawing, X, Y, n, layer, thickness, colour, originX, originY);
}

void drawCircle(Drawing& drawing, double centreX, double centreY, double radius, double originX,
                double originY) {
  writeCircle(drawing, centreX, centreY, radius, drawing.pen.thickness, originX, originY);
}

void putLabel(Drawing& drawing, double x1, double y1, double x2, double y2, int height, double rotation,
              std::string_view text, std::string_view style, double widthFactor, double originX,
              double originY) {
  const PenState& pen = drawing.pen;
  writeAlignedText(drawing.out, pen.layerName, pen.thickness, pen.colour, height, text, widthFactor, rotation,
                   style, x1 + originX, y1 + originY, x2 + originX, y2 + originY);
}

void penPolyline(Drawing& drawing, std::initializer_list<Point> points, LineKind kind) {
  std::array<double, kMaxPolylinePoints + 1> X{}, Y{};
  int n = 0;
  for (const Point& p : points) {
    if (n == kMaxPolylinePoints) break;
    ++n;
    X[n] = p.x;
    Y[n] = p.y;
  }
  const PenState& pen = drawing.pen;
  const DrawOrigin o = drawing.origin;
  switch (kind) {
    case LineKind::continuous:
      drawPolyline(drawing, X.data(), Y.data(), n, pen.layerName, pen.thickness, pen.colour, o.x, o.y);
      break;
    case LineKind::hidden:
      drawHiddenPolyline(drawing, X.data(), Y.data(), n, pen.layerName, pen.thickness, pen.colour, o.x, o.y);
      break;
    case LineKind::phantom:
      drawPhantomPolyline(drawing, X.data(), Y.data(), n, pen.layerName, pen.thickness, pen.colour, o.x, o.y);
      break;
  }
}

void penLabel(Drawing& drawing, double x1, double y1, double x2, double y2, int height, double rotation,
              std::string_view text, double widthFactor) {
  putLabel(drawing, x1, y1, x2, y2, height, rotation, text, kTextStyle, widthFactor, drawing.origin.x,
           drawing.origin.y);
}

}  // namespace ps
