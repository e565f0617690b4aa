// The grade line's circular and unsymmetric vertical curves as symmetric
// parabolas: the only curve a sheet draws is a symmetric parabola centred
// on its VIP, so CircCurve and UnsymParaCurve become consecutive PVIs with
// such curves, touching end to end.
#pragma once

#include <vector>

#include "landxml/road_model.h"

namespace ps::landxml {

// How far a CircCurve's parabolas may lie from the circle: half a
// millimetre, so that heights written to the millimetre stay within one of
// it.
inline constexpr double kCircleTolerance = 0.0005;
// The most parabolas one circle is split into.
inline constexpr int kMaxCirclePieces = 64;

// The circle of radius `radius` tangent to the grades before and after the
// PVI (station, height): where it touches them, as stations.
struct VerticalCircle {
  double station = 0.0, height = 0.0, gradeIn = 0.0, gradeOut = 0.0, radius = 0.0;
  double begin = 0.0, end = 0.0;  // tangent points; both the PVI's station when the grades do not change
  double arcLength = 0.0;         // along the circle
};
VerticalCircle verticalCircle(double station, double height, double gradeIn, double gradeOut, double radius);

// The radius of the circle between those grades whose tangent points lie
// `length` apart (a CircCurve given by its length); 0 when the grades do
// not change.
double circleRadiusForLength(double gradeIn, double gradeOut, double length);

// The height of the grade line with the circle: the grade in before its
// begin, the circle, the grade out after its end.
double heightWithCircle(const VerticalCircle& circle, double station);

// The circle as parabolas: the fewest equal pieces (up to kMaxCirclePieces)
// whose drawn grade line lies within kCircleTolerance of the circle at every
// point. One piece is a curve centred on the PVI over the circle's length;
// several pieces run from the first tangent point to the second, the first
// PVI on the grade in, the last on the grade out, and between them the
// slopes of the circle at the joints, evened out so that both ends meet
// their grades. `deviation` is the largest height difference found (m,
// sampled densely); `followed` whether it is within the tolerance.
struct CircleParabolas {
  std::vector<GradePoint> points;
  double deviation = 0.0;
  bool followed = false;
};
CircleParabolas circleAsParabolas(const VerticalCircle& circle);

// An UnsymParaCurve exactly: two parabolas with a common tangent at the
// PVI's station, each symmetric about its own middle. Their PVIs lie on the
// grade in at station - lengthIn / 2 and on the grade out at station +
// lengthOut / 2; the line between them is the common tangent.
std::vector<GradePoint> unsymmetricAsParabolas(double station, double height, double gradeIn, double gradeOut,
                                               double lengthIn, double lengthOut);

}  // namespace ps::landxml
