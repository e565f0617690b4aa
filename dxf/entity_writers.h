// LINE, TEXT and CIRCLE entities, and the origin-relative drawing helpers
// built on them. Every entity starts with its type keyword and ends with the
// "0" line that is the group code of whatever follows it.
#pragma once

#include <initializer_list>
#include <string_view>

#include "dxf/drawing.h"

namespace ps {

void writeLine(DxfStream& out, std::string_view layer, double thickness, int colour, double x1, double y1,
               double x2, double y2);
// Dashed lines carry their line type and a line type scale of 10 on the
// entity; their coordinates are written in whole millimetres.
void writeHiddenLine(DxfStream& out, std::string_view layer, double thickness, int colour, double x1,
                     double y1, double x2, double y2);
void writePhantomLine(DxfStream& out, std::string_view layer, double thickness, int colour, double x1,
                      double y1, double x2, double y2);
void writeAlignedText(DxfStream& out, std::string_view layer, double thickness, int colour, int height,
                      std::string_view text, double widthFactor, double rotation, std::string_view style,
                      double x1, double y1, double x2, double y2);
// The circle takes its layer from the pen and adds the origin itself.
void writeCircle(Drawing& drawing, double centreX, double centreY, double radius, double thickness,
                 double originX, double originY);

void setOrigin(Drawing& drawing, double x, double y);

// Points X[1..n], Y[1..n]; one LINE per pair of consecutive points.
void drawPolyline(Drawing& drawing, const double* X, const double* Y, int n, std::string_view layer,
                  double thickness, int colour, double originX, double originY);
void drawHiddenPolyline(Drawing& drawing, const double* X, const double* Y, int n, std::string_view layer,
                        double thickness, int colour, double originX, double originY);
void drawPhantomPolyline(Drawing& drawing, const double* X, const double* Y, int n, std::string_view layer,
                         double thickness, int colour, double originX, double originY);
void drawCircle(Drawing& drawing, double centreX, double centreY, double radius, double originX,
                double originY);
void putLabel(Drawing& drawing, double x1, double y1, double x2, double y2, int height, double rotation,
              std::string_view text, std::string_view style, double widthFactor, double originX,
              double originY);

// Shorthands used by the sheet: the polyline writers with the current pen
// and origin, on a point list of the caller's own.
struct Point {
  double x;
  double y;
};
enum class LineKind { continuous, hidden, phantom };
inline constexpr int kMaxPolylinePoints = 19;
void penPolyline(Drawing& drawing, std::initializer_list<Point> points, LineKind kind = LineKind::continuous);
// putLabel with the current origin.
void penLabel(Drawing& drawing, double x1, double y1, double x2, double y2, int height, double rotation,
              std::string_view text, double widthFactor);

inline constexpr char kTextStyle[] = "KANJI";

}  // namespace ps
